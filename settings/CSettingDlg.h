#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <optional>
#include <string>
#include <vector>

class ProfileStore;
class QButtonGroup;
class QLabel;
class QListWidget;
class QPushButton;
class QSlider;

// The question settings: time limit, wrong-answer allowance, questions per round and their
// order, read from Parameter.INI whenever the dialog initialises and written back only after
// the user confirms a save. The question file in use is shown in a list the user cannot change.
class CSettingDlg : public QDialog
{
  public:
    explicit CSettingDlg(ProfileStore& profile, QWidget* pParent = nullptr);

    // Fills the list, the sliders, the value texts and the order from the settings file.
    void OnInitDialog();
    // Asks, writes on Yes, and initialises again either way.
    void OnSave();

  private:
    // The members to the controls (false) or the order back from the radio buttons (true).
    void UpdateData(bool bSaveAndValidate);
    // The cp932 name of the question file the dialog shows: the selected entry, or when none
    // is selected the name Parameter.INI holds.
    std::string ShownQuestionName() const;

    ProfileStore& m_profile;

    QString m_strQuestionCnt;
    QString m_strLife;
    QString m_strTimeLimit;
    int m_nSeq = -1;

    std::vector<std::string> m_names; // the list's entries as cp932, in list order
    std::string m_strStoredQuestion;  // QUESTION as read by the last initialisation
    int m_nStoredCount = 0;           // QUESTION_CNT as read by the last initialisation
    int m_nCountAtInit = 0;           // where the last initialisation put the count slider
    // What the file held for the five entries a save writes, as the last initialisation read
    // them: a save writes only those the user changed, so another copy's save is kept.
    std::array<std::optional<std::string>, 5> m_stored;

    QPushButton* m_pBack;
    QListWidget* m_pList;
    QSlider* m_pTimeLimit;
    QSlider* m_pLife;
    QSlider* m_pQuestionCnt;
    QLabel* m_pTimeLimitText;
    QLabel* m_pLifeText;
    QLabel* m_pQuestionCntText;
    QPushButton* m_pSave;
    QButtonGroup* m_pSeq;
};
