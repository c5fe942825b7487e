#pragma once

#include <string>

enum class AnswerResult
{
    Correct,
    Wrong,
    TimeOut
};

// One judged question, as the round knew it when the verdict fell.
struct JudgedAnswer
{
    int nRecord = 0;       // 0-based index in the question file
    std::string strRecord; // the record's 420 bytes (cp932)
    std::string strFile;   // the question file's name as configured (cp932)
    AnswerResult result = AnswerResult::Wrong;
    std::string strTyped; // what was typed, UTF-8; empty for a chosen answer and a time-out
};

// Hears about rounds and their answers; the history implements it. Calls come on the round's
// thread, each verdict before its popup opens.
class IAnswerObserver
{
  public:
    virtual ~IAnswerObserver() = default;
    virtual void OnRoundStarted() = 0;
    virtual void OnQuestionShown() = 0;
    virtual void OnJudged(const JudgedAnswer& answer) = 0;
    virtual void OnRoundEnded() = 0;
    // cp932: something the learner must hear now (a verdict that could not be kept), shown by
    // the round right after OnJudged; empty when there is nothing. Taken once.
    virtual std::string TakeNotice() { return {}; }
};
