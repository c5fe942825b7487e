#pragma once

#include <QObject>

#include <ctime>
#include <functional>
#include <set>
#include <string>

class CZukanWindow;
class ProfileStore;
class QAction;
class QWidget;

// The 国旗図鑑 command of the ファイル menu: one window, made at its first opening and raised by
// every later one, beside the main window and its child, so nothing of it loads at start-up.
// Its drill command writes the bundled world file's records about the chosen countries to a
// new question file and makes it the question file, as 問題ファイルを開く does.
class CZukanCommands : public QObject
{
  public:
    using WallClock = std::function<std::time_t()>;

    CZukanCommands(
        ProfileStore& profile, QWidget* pMain,
        WallClock wallClock = [] { return std::time(nullptr); });

    void OnMenuZukan();
    void OnDrill();
    // Opens the window on one country (a catalogue code), as if chosen in the list.
    void OpenCountry(const std::string& code);
    // The bundled world file's records, as shipped.
    static std::string WorldFile();

    // 選んだ国を出題: the shell disables it while a round runs; the window's button follows it.
    QAction* DrillAction() const { return m_pDrillAction; }
    // The codes chosen in the window while it is open (none otherwise), and the bundled world
    // file's records about them, as the drill takes them.
    std::set<std::string> ChosenCodes() const;
    std::string ChosenRecords(const std::set<std::string>& codes) const;
    // Null until first opened.
    CZukanWindow* Window() const { return m_pWindow; }

  private:
    ProfileStore& m_profile;
    QWidget* m_pMain;
    WallClock m_wallClock;
    QAction* m_pDrillAction;
    CZukanWindow* m_pWindow = nullptr;
};
