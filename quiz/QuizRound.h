#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quiz/IAnswerObserver.h"
#include "quiz/IRandom.h"
#include "quiz/IRoundView.h"
#include "quiz/ITypedAnswerJudge.h"
#include "quiz/RoundFile.h"

class ProfileStore;

// One round after another: start, ticks, answers, time-outs, the end. Texts are cp932 bytes.
class QuizRound
{
  public:
    using Clock = std::function<std::time_t()>;

    QuizRound(ProfileStore& profile, IRoundView& view, IRandom& random, Clock clock);

    void OnButtonStart();
    void OnButtonStop() { EndRound(); }
    void OnTimer(int nIdEvent);
    // An answer button; ignored while the question on screen is answered by typing.
    void JudgeAnswer(int nAnswer);
    // What was typed for the question on screen (UTF-8). Empty text does nothing.
    void JudgeTyped(std::string_view typed);
    // The judge of typed answers; without one every question is answered by choosing. It must
    // outlive the round's use of it.
    void SetTypedAnswerJudge(ITypedAnswerJudge* pJudge) { m_pTypedJudge = pJudge; }
    // The question on screen is answered by typing: the typing switch is on and it is a text
    // question. Settled at each draw, so a change of the switch counts from the next question.
    bool IsTypingQuestion() const { return m_bTyping; }
    // A click on the map for a position question in the pointing mode: the code of what was hit
    // (empty for the sea) and whether it counts as the asked country. Ignored for any other
    // question.
    void JudgePointed(std::string_view clickedCode, bool bRight);
    // The question on screen is a position question answered by pointing: the typing switch is
    // on. Settled at each draw, as IsTypingQuestion.
    bool IsPointingQuestion() const { return m_bPointing; }
    // Fetches the next question from the configured file; false, after a message naming the
    // file and the end of the round, when it holds no whole record to show.
    bool DrawQuestion();
    void EndRound();
    void UpdateLamp();
    // Each observer hears every round, in the order added; it must outlive the round's use of it.
    void AddObserver(IAnswerObserver* pObserver) { m_observers.push_back(pObserver); }

    // Round counters, in the main window's terms.
    int m_nSeq = 0;
    int m_nAnswered = 0;
    int m_nCorrect = 0;
    int m_nRemaining = 0;
    int m_nCorrectNo = 0;
    int m_nLife = 0;
    int m_nTick = 0;

    std::string m_strQuestion;
    std::array<std::string, 4> m_strAnswers; // empty while a flag-choice question is shown
    std::string m_strRate;

  private:
    void Answer(bool bRight, std::string_view typed, std::string_view verdictNote = {});
    void StopRound(bool bAnnounce);
    void ShowJudgement(const std::string& strVerdict);
    void AfterJudgement();
    std::string CorrectLine() const;
    void Report(AnswerResult result, std::string_view typed = {});

    ProfileStore& m_profile;
    IRoundView& m_view;
    IRandom& m_random;
    Clock m_clock;
    std::vector<IAnswerObserver*> m_observers;
    ITypedAnswerJudge* m_pTypedJudge = nullptr;
    bool m_bTyping = false;
    bool m_bPointing = false;
    std::string m_strPositionCode;  // the asked country of a position question on screen
    std::string m_strCorrectAnswer; // the marked answer on screen, padding trimmed
    std::string m_strOtherForm;     // how a right typed answer named it otherwise, for one popup
    // The record on screen, when a draw put a whole one there.
    std::optional<JudgedAnswer> m_shown;
    RoundFile m_file;
};
