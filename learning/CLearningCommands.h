#pragma once

#include "learning/HistoryRecorder.h"

#include <QObject>

#include <ctime>
#include <functional>

class QuizRound;
class ProfileStore;
class QWidget;

// The learning commands: it hears the round's answers into the history, makes a review file of
// what is due (間違えた問題を復習) and opens the results window (成績). The history
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

  private:
    ProfileStore& m_profile;
    QWidget* m_pWindow;
    WallClock m_wallClock;
    HistoryRecorder m_recorder;
};
