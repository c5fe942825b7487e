#pragma once

#include "learning/AnswerHistory.h"
#include "learning/MasteryMap.h"

#include <QWidget>

#include <array>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CMasteryMapView;
class CStateBar;
class QComboBox;
class QLabel;
class QPushButton;

// The 成績 window's page 習得マップ: the world coloured by mastery state, the count of countries
// mastered in large type, the four states' counts as a legend, a bar per 州 and a filter by
// kind of question. Commands: drill the 要復習 countries, save the map as a picture.
class CMasteryPage : public QWidget
{
  public:
    using CountryHandler = std::function<void(const std::string& code)>;
    // The codes of the 要復習 countries and the kind shown (empty: all kinds).
    using DrillHandler =
        std::function<void(const std::vector<std::string>& codes, std::optional<StudyKind> kind)>;

    using MapBuilder = std::function<MasteryMap(const std::vector<HistoryRow>& rows)>;

    // log: the history; build makes the states of its rows, when the page is first shown or
    // asked for them, so a results window opened for its figures does not wait for them; now:
    // the date a saved picture gives.
    CMasteryPage(HistoryLog log, MapBuilder build, std::time_t now, QWidget* pParent = nullptr);

    void SetOpenCountryHandler(CountryHandler handler);
    void SetDrillHandler(DrillHandler handler) { m_onDrill = std::move(handler); }

    // 0: all kinds, then the kinds in StudyKind's order up to 位置.
    void SetKindFilter(int nIndex);
    const std::vector<CountryMastery>& States();
    // "習得 57/199 (29 %)"
    QString Headline();
    CMasteryMapView* MapView() const { return m_pMap; }

    void OnButtonDrill();
    void OnButtonSaveImage();
    // The map with the headline, legend and date, as saved.
    QImage Picture(QSize size);

  protected:
    void showEvent(QShowEvent* pEvent) override;

  private:
    void EnsureBuilt();
    void Refresh();
    QString CountryText(std::size_t nCountry) const;
    std::optional<StudyKind> Kind() const;

    MapBuilder m_build;
    std::optional<MasteryMap> m_map;
    HistoryLog m_log;
    std::time_t m_now;
    std::vector<CountryMastery> m_states;
    std::array<int, kMasteryStates> m_counts{};
    DrillHandler m_onDrill;

    QLabel* m_pHeadline = nullptr;
    QComboBox* m_pKind = nullptr;
    CMasteryMapView* m_pMap = nullptr;
    std::array<QLabel*, kMasteryStates> m_legend{};
    std::vector<CStateBar*> m_bars;
    std::vector<QLabel*> m_barTexts;
    QPushButton* m_pDrill = nullptr;
    QPushButton* m_pSave = nullptr;
};
