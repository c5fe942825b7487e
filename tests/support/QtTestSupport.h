#pragma once

// What the widget tests share: the modal seams answered, the round driven.
#include "FileDialogCapture.h"
#include "MessageBoxCapture.h"

#include <initializer_list>

class CQuizDlg;

// Answers the round's questions in turn, each by its right answer or by a wrong one.
void AnswerQuestions(CQuizDlg& dlg, std::initializer_list<bool> rights);
