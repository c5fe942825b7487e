#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quiz/AnswerObserver.h"
#include "quiz/ITypedAnswerJudge.h"
#include "quiz/RoundFile.h"

class ProfileStore;

// Control ids of the main window that the round enables and disables.
enum QuizControl : int
{
    IDC_BUTTON_ANSWER1 = 1010,
    IDC_BUTTON_ANSWER2 = 1011,
    IDC_BUTTON_ANSWER3 = 1012,
    IDC_BUTTON_ANSWER4 = 1013,
    IDC_BUTTON_EDIT = 1015,
    IDC_BUTTON_START = 1016,
    IDC_BUTTON_STOP = 1017,
    IDC_EDIT_ANSWER = 1020, // the field a typed answer is written in
};

inline constexpr std::uint32_t kLampRed = 255; // COLORREF: red in the lowest byte
inline constexpr std::uint32_t kLampWhite = 16777215;
inline constexpr int kEffectCorrect = 1;
inline constexpr int kEffectWrong = 2;
inline constexpr int kQuestionTimer = 1;

// The screen side of a round. The main window implements it; tests record it.
class IRoundView
{
  public:
    virtual ~IRoundView() = default;
    virtual void StartTimer() = 0;
    virtual void StopTimer() = 0;
    virtual void EnableControl(int nId, bool bEnable) = 0;
    virtual void SetLampColor(int nLamp, std::uint32_t nColor) = 0; // nLamp 1-3, top to bottom
    virtual void SetTimeRange(int nMax) = 0;
    virtual void SetTimePos(int nPos) = 0;
    // Shows the verdict popup and returns when it has closed.
    virtual void Judge(const std::string& strVerdict, const std::string& strCorrect) = 0;
    virtual void PlayEffect(int nKind) = 0;
    virtual int MessageBox(const std::string& strText, unsigned nType) = 0;
    virtual void ShowFlag(std::optional<int> nBitmapId) = 0;
    // Which answer area the question needs: the four flags of a flag-choice question, as
    // catalogue codes in shown order; when empty, the text rows, or the answer field while the
    // question is typed (CQuizRound::IsTypingQuestion). Comes with every draw, before
    // UpdateData; with flags the picture box shows no flag.
    virtual void ShowFlagChoice(const std::optional<std::array<std::string, 4>>& codes) = 0;
    // Puts the question, the four answers and the rate on screen.
    virtual void UpdateData() = 0;
};

// The C library's generator, as every draw re-seeds and uses it. Tests supply their own.
class IRandom
{
  public:
    virtual ~IRandom() = default;
    virtual void Seed(unsigned nSeed) = 0;
    virtual int Next() = 0;
};

class CRuntimeRandom : public IRandom
{
  public:
    void Seed(unsigned nSeed) override;
    int Next() override;
};

// One round after another: start, ticks, answers, time-outs, the end. Texts are cp932 bytes.
class CQuizRound
{
  public:
    using Clock = std::function<std::time_t()>;

    CQuizRound(ProfileStore& profile, IRoundView& view, IRandom& random, Clock clock);

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
    void Answer(bool bRight, std::string_view typed);
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
    std::string m_strCorrectAnswer; // the marked answer on screen, padding trimmed
    // The record on screen, when a draw put a whole one there.
    std::optional<JudgedAnswer> m_shown;
    CRoundFile m_file;
};
