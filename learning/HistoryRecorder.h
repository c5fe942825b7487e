#pragma once

#include "quiz/IAnswerObserver.h"

#include <ctime>
#include <functional>
#include <string>
#include <utility>

// Writes every judged answer of the rounds to the history in the current folder. A folder where
// it cannot write costs only the history: the round goes on, and WriteFailed says so afterwards.
// A full disk, which the learner can mend, is said once a round as well (TakeNotice).
class HistoryRecorder : public IAnswerObserver
{
  public:
    using WallClock = std::function<std::time_t()>;
    using SteadyClock = std::function<double()>; // seconds, from any origin

    HistoryRecorder(WallClock wallClock, SteadyClock steadyClock);

    void OnRoundStarted() override;
    void OnQuestionShown() override;
    void OnJudged(const JudgedAnswer& answer) override;
    void OnRoundEnded() override;
    std::string TakeNotice() override { return std::exchange(m_strNotice, {}); }

    // Some answer of this session could not be written.
    bool WriteFailed() const { return m_bWriteFailed; }

  private:
    WallClock m_wallClock;
    SteadyClock m_steadyClock;
    std::string m_strRound;
    double m_dShownAt = 0;
    bool m_bWriteFailed = false;
    bool m_bFullSaid = false; // this round
    std::string m_strNotice;
};
