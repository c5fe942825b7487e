#pragma once

#include <QObject>
#include <QString>

class ProfileStore;
struct QuestionFileChoice;

// The main window's 問題ファイルを開く command: the file dialog, ChooseQuestionFile, and a
// message saying what became of the file.
class CQuestionFileMenu : public QObject
{
  public:
    CQuestionFileMenu(ProfileStore& profile, QObject* pParent);

    void OnMenuOpenQuestion();

    // The message for a choice: why fileName was refused, or which name it now has.
    static QString ChoiceText(const QString& fileName, const QuestionFileChoice& choice);

  private:
    ProfileStore& m_profile;
};
