#pragma once

#include "quiz/QuizRound.h"

#include <QDialog>
#include <QTimer>

#include <functional>

class CColorStatic;
class CRoundCommands;
class ProfileStore;
class QAction;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// Timer intervals; tests shorten them so nothing waits real seconds.
struct QuizTiming
{
    int nQuestionTickMs = 1000;
    int nJudgeTickMs = 1000;
};

// The main window: one question at a time, its flag, four answers, the time bar and the lamps.
// The round itself is CQuizRound; this window only puts its state on screen.
class CQuizDlg : public QDialog, private IRoundView
{
  public:
    explicit CQuizDlg(ProfileStore& profile, QWidget* pParent = nullptr, QuizTiming timing = {});
    ~CQuizDlg() override;

    // Work that waits until the window is on screen (translations, icon).
    void SetAfterFirstPaint(std::function<void()> fn) { m_afterFirstPaint = std::move(fn); }

    void OnButtonStart() { m_round.OnButtonStart(); }
    void OnButtonStop() { m_round.OnButtonStop(); }
    void OnButtonExit();
    void OnButtonEdit();
    void OnMenuExit() { reject(); }
    void OnMenuSetting();
    void OnMenuSound();
    void OnMenuAbout();
    void OnMenuSupport();
    // Window-menu commands; the About entry's id is 16 (low four bits ignored).
    void OnSysCommand(unsigned nId);
    void PlaySoundEffect(int nSound, int nKind);

    CQuizRound& Round() { return m_round; }
    int SoundSwitch() const { return m_nSound; }

  protected:
    void paintEvent(QPaintEvent* pEvent) override;

  private:
    void CreateControls();
    void CreateMenu();
    void ShowSystemMenu(const QPoint& pos);

    // IRoundView
    void StartTimer() override;
    void StopTimer() override;
    void EnableControl(int nId, bool bEnable) override;
    void SetLampColor(int nLamp, std::uint32_t nColor) override;
    void SetTimeRange(int nMax) override;
    void SetTimePos(int nPos) override;
    void Judge(const std::string& strVerdict, const std::string& strCorrect) override;
    void PlayEffect(int nKind) override;
    int MessageBox(const std::string& strText, unsigned nType) override;
    void ShowFlag(std::optional<int> nBitmapId) override;
    void UpdateData() override;

    ProfileStore& m_profile;
    QuizTiming m_timing;
    CRuntimeRandom m_random;
    CQuizRound m_round;
    QTimer m_timer;
    int m_nSound = 1;
    bool m_bPainted = false;
    std::function<void()> m_afterFirstPaint;

    QLineEdit* m_pQuestion = nullptr;
    QLineEdit* m_pAnswers[4] = {};
    CColorStatic* m_pLamps[3] = {};
    QLabel* m_pRate = nullptr;
    QLabel* m_pFlag = nullptr;
    QProgressBar* m_pTimeBar = nullptr;
    QPushButton* m_pButtons[9] = {}; // ids 1010 to 1018
    QAction* m_pSoundAction = nullptr;
    CRoundCommands* m_pRoundCommands = nullptr; // menu commands that wait for a round's end
    int m_nTimeMax = 0;
    int m_nTop = 0; // height of the menu bar above the template's client area
};
