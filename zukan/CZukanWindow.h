#pragma once

#include "zukan/LearnerRecord.h"
#include "zukan/ZukanIndex.h"

#include <QWidget>

#include <ctime>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <unordered_map>

class CFactsPanel;
class CFlagListModel;
class CWorldMapView;
class QAction;
class QComboBox;
class QItemSelection;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

// The 国旗図鑑 window: every flag by 州 with a search field; the chosen country's facts, its place
// on the world map and the learner's record; the commands that pick countries for a question
// file. It only reads; the drill command is the action given, whose state (off during a round)
// the button follows.
class CZukanWindow : public QWidget
{
    Q_OBJECT

  public:
    using WallClock = std::function<std::time_t()>;

    CZukanWindow(QAction* pDrillAction, WallClock wallClock, QWidget* pParent);
    ~CZukanWindow() override;

    // Moves the window beside pMain on its screen, covering it only where there is no room.
    void PlaceBeside(const QWidget* pMain);
    // The codes of the chosen countries, found by the search or not.
    std::set<std::string> SelectedCodes() const;

    // Shows one country (a catalogue code) as the list's current and only chosen flag, the
    // search cleared if it hid it. False for a code the list lacks.
    bool ShowCode(const std::string& code);

    void OnSearchChanged(const QString& text);
    // Lists only the countries in one mastery state: 0 all, then 要復習, 学習中, 習得, 未出題.
    void SetStateFilter(int nIndex);
    void OnButtonSelectGroup();

  protected:
    void changeEvent(QEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

  private:
    void CreateControls();
    void OnCurrentChanged(const QModelIndex& current);
    void OnSelectionChanged();
    void UpdateDrillButton();
    void ShowCountry(int nEntry);
    const LearnerRecord* RecordOf(std::string_view code);
    // Reads the history again when it changed since it was last read: the records and the
    // mastery marks follow the rounds played meanwhile.
    void ReadHistoryIfChanged();

    ZukanIndex m_index;
    QAction* m_pDrillAction;
    WallClock m_wallClock;
    CFlagListModel* m_pModel = nullptr;
    QLineEdit* m_pSearch = nullptr;
    QLabel* m_pFound = nullptr;
    QComboBox* m_pStateFilter = nullptr;
    QListView* m_pList = nullptr;
    QLabel* m_pSelected = nullptr;
    QPushButton* m_pSelectGroup = nullptr;
    QPushButton* m_pDrill = nullptr;
    CFactsPanel* m_pFacts = nullptr;
    CWorldMapView* m_pMap = nullptr;
    QLabel* m_pNoMap = nullptr; // in the map's place until a country is chosen
    int m_nShown = -1;          // the entry whose facts are shown

    // The history as last read, and what its file looked like then.
    std::unordered_map<std::string, LearnerRecord> m_records;
    std::filesystem::file_time_type m_historyTime;
    std::uintmax_t m_nHistorySize = 0;
    bool m_bHistoryRead = false;
};
