#pragma once

#include "MessageBoxCapture.h"
#include "TestSupport.h"

#include "platform/ProfileStore.h"
#include "quiz/CQuizDlg.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

// The program's main window, as wired, over a play folder of three flag questions (jpn, fra,
// bra): rounds of the given length, 5 lives, 9 s a question, no sound; message boxes answered
// and kept.
class MainWindowTest : public ::testing::Test
{
  protected:
    explicit MainWindowTest(int nQuestionCount);

    // Presses 開始, then answers in turn, each rightly or wrongly.
    void Play(std::initializer_list<bool> rights);

    PlayFolder m_dir;
    ProfileStore& m_profile = m_dir.Store();
    std::vector<std::string> m_records = m_dir.WriteFlagQuestions({"jpn", "fra", "bra"});
    MessageBoxCapture m_boxes;
    std::unique_ptr<CQuizDlg> m_pDlg; // after the files, so it reads their settings
};
