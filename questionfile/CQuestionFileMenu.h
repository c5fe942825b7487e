#pragma once

#include <QObject>

class ProfileStore;

// The main window's 問題ファイルを開く command: the file dialog, ChooseQuestionFile, and a
// message saying what became of the file (ChoiceMessage).
class CQuestionFileMenu : public QObject
{
  public:
    CQuestionFileMenu(ProfileStore& profile, QObject* pParent);

    void OnMenuOpenQuestion();

  private:
    ProfileStore& m_profile;
};
