#pragma once

#include "quiz/QuizRound.h"

#include <QDialog>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class CAnswerArea;
class CColorStatic;
class CEnterEscFilter;
class CFlagAnswers;
class CPositionAnswers;
class CRoundCommands;
class CTypedAnswerField;
class ProfileStore;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
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
// The round itself is QuizRound; this window only puts its state on screen. Other windows are
// not its business: it says what the user asked for, and the application answers and adds the
// other capabilities' commands to its menus.
class CQuizDlg : public QDialog, private IRoundView
{
    Q_OBJECT

  public:
    explicit CQuizDlg(ProfileStore& profile, QWidget* pParent = nullptr, QuizTiming timing = {});
    ~CQuizDlg() override;

    // Work that waits until the window is on screen (translations, icon).
    void SetAfterFirstPaint(std::function<void()> fn) { m_afterFirstPaint = std::move(fn); }

    void OnButtonStart() { m_round.OnButtonStart(); }
    void OnButtonStop() { m_round.OnButtonStop(); }
    void OnButtonExit();
    void OnButtonEdit() { emit editRequested(); }
    void OnMenuExit() { reject(); }
    void OnMenuSetting() { emit settingsRequested(); }
    void OnMenuSound();
    void OnMenuAbout() { emit aboutRequested(); }
    void OnMenuSupport() { emit supportRequested(); }
    void OnSysCommand(unsigned nId) { emit sysCommand(nId); }
    void PlaySoundEffect(int nSound, int nKind);

    // A command of the ファイル menu, above the separator before 終了, after those added before.
    // One that waits for the round's end is disabled while a round runs.
    QAction* AddFileCommand(const QString& text, const QString& name, bool bWaitsForRound);
    // A command elsewhere (another window's) that is disabled while a round runs.
    void AddRoundCommand(QAction* pAction);
    // A command at the end of the 設定 menu.
    QAction* AddSettingsCommand(const QString& text, const QString& name);
    // The typing switch: a checkable entry at the end of the 設定 menu, stored as [INPUT] SW=1 or
    // SW=0 (absent: off). While on, text questions are answered by typing, judged by judge;
    // a change counts from the next question.
    QAction* AddTypingSwitch(std::unique_ptr<ITypedAnswerJudge> judge);
    // The map that answers position questions (a child of this window), placed in the 解答群
    // area. Without one a position question shows its answers as text rows.
    void SetPositionAnswers(CPositionAnswers* pMap);
    // An entry of the window menu (right click), after a separator; choosing it sends nId.
    void AddSystemCommand(const QString& text, unsigned nId);

    QuizRound& Round() { return m_round; }
    int SoundSwitch() const { return m_nSound; }

  signals:
    void editRequested();
    void settingsRequested();
    void aboutRequested();
    void supportRequested();
    void sysCommand(unsigned nId);

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
    void ShowFlagChoice(const std::optional<std::array<std::string, 4>>& codes) override;
    void ShowPosition(const std::optional<std::array<std::string, 4>>& codes,
                      const std::string& strAsked, bool bPointing) override;
    std::string CountryName(const std::string& strCode) override;
    void UpdateData() override;

    ProfileStore& m_profile;
    QuizTiming m_timing;
    RuntimeRandom m_random;
    std::unique_ptr<ITypedAnswerJudge> m_pTypedJudge; // before the round, which uses it
    QuizRound m_round;
    QTimer m_timer;
    int m_nSound = 1;
    bool m_bPainted = false;
    std::function<void()> m_afterFirstPaint;

    QLineEdit* m_pQuestion = nullptr;
    QLineEdit* m_pAnswers[4] = {};
    CColorStatic* m_pLamps[3] = {};
    QLabel* m_pRate = nullptr;
    QLabel* m_pFlag = nullptr;
    // The text rows, the flags of a flag choice, or the field of a typed question.
    std::unique_ptr<CAnswerArea> m_pAnswerArea;
    std::unique_ptr<CFlagAnswers> m_pFlagAnswers;
    std::unique_ptr<CTypedAnswerField> m_pTypedField;
    int m_nFlagVariant = 0;
    int m_nTypedVariant = 0;
    CEnterEscFilter* m_pEnterEsc = nullptr;
    CPositionAnswers* m_pPositionAnswers = nullptr;
    int m_nPositionVariant = -1;
    bool m_bPositionShown = false; // the question on screen is answered on the map
    QProgressBar* m_pTimeBar = nullptr;
    QPushButton* m_pButtons[9] = {}; // ids 1010 to 1018
    QAction* m_pSoundAction = nullptr;
    QMenu* m_pFileMenu = nullptr;
    QMenu* m_pSettingsMenu = nullptr;
    QAction* m_pFileEnd = nullptr; // the separator above 終了
    std::vector<std::pair<QString, unsigned>> m_systemCommands;
    CRoundCommands* m_pRoundCommands = nullptr; // menu commands that wait for a round's end
    int m_nTimeMax = 0;
    int m_nTop = 0; // height of the menu bar above the template's client area
};
