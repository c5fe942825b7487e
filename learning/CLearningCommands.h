#pragma once

#include "learning/HistoryRecorder.h"

#include <QObject>

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

enum class StudyKind;

class QuizRound;
class ProfileStore;
class QWidget;

// The learning commands: it hears the round's answers into the history, makes a review file of
// what is due (間違えた問題を復習) and opens the results window (成績) with its mastery map, whose
// 要復習 countries it drills from the bundled world file. The history
// is read only when one of the commands asks for it. A child of the window that holds the round.
class CLearningCommands : public QObject
{
  public:
    using WallClock = std::function<std::time_t()>;

    CLearningCommands(
        ProfileStore& profile, QuizRound& round, QWidget* pWindow,
        WallClock wallClock = [] { return std::time(nullptr); });

    void OnMenuReview();
    void OnMenuResults();

    // What the mastery map reaches above this floor: opening a country in the 図鑑 (after the
    // results window closes) and the bundled world file's bytes.
    using CountryHandler = std::function<void(const std::string& code)>;
    using BytesSource = std::function<std::string()>;
    void SetZukanLinks(CountryHandler openCountry, BytesSource worldFile);
    // Writes every question of the kind (empty: all) about the countries to a new question
    // file "要復習-YYYYMMDD-HHMM.txt", makes it the question file and says so.
    void DrillCountries(const std::vector<std::string>& codes, std::optional<StudyKind> kind);

  private:
    ProfileStore& m_profile;
    QWidget* m_pWindow;
    WallClock m_wallClock;
    HistoryRecorder m_recorder;
    CountryHandler m_openCountry;
    BytesSource m_worldFile;
};
