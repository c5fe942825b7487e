#pragma once

#include "quiz/IAnswerObserver.h"

#include <QObject>

#include <string>

class CMapWindow;
class ProfileStore;
class QAction;
class QWidget;

// The 地図 switch of the 設定 menu, stored as [MAP] SW=1 or SW=0 in the settings file (absent:
// off). While on, the 地図 window stands beside the main window, or where the learner left it
// ([MAP_WINDOW] RECT, kept when it closes and when the main window goes); it reopens at the next
// start while the switch is on, and closing it turns the switch off. Hears the round, so the
// window, even one opened after the verdict, shows the asked country until the next question
// starts. A child of the main window; nothing of the map is read while the switch is off.
class CMapCommands : public QObject, public IAnswerObserver
{
  public:
    CMapCommands(ProfileStore& profile, QWidget* pMain);

    // The menu entry; its check mark follows the stored switch.
    void SetAction(QAction* pAction);
    void OnMenuMap();
    // Null while the window is closed.
    CMapWindow* Window() const { return m_pWindow; }

    // IAnswerObserver
    void OnRoundStarted() override {}
    void OnQuestionShown() override;
    void OnJudged(const JudgedAnswer& answer) override;
    void OnRoundEnded() override {}

  protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

  private:
    bool SwitchOn() const;
    void OpenWindow();
    void OnWindowClosed();
    void SaveWindowRect();

    ProfileStore& m_profile;
    QWidget* m_pMain;
    QAction* m_pAction = nullptr;
    CMapWindow* m_pWindow = nullptr;
    std::string m_strJudged; // the asked country while its verdict stands
    bool m_bShown = false;   // the main window has been shown
};
