#pragma once

#include "quiz/CQuizDlg.h"

#include <memory>

class ProfileStore;

// The main window with every capability's commands on it: the other windows it asks for, the
// ファイル menu's question-file, editor and learning entries, the window menu's About entry.
// Each capability's objects are children of the window and end with it.
std::unique_ptr<CQuizDlg> CreateMainWindow(ProfileStore& profile, QuizTiming timing = {});
