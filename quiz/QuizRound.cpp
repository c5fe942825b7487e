#include "quiz/QuizRound.h"

#include "platform/Cp932.h"
#include "platform/File.h"
#include "platform/ProfileStore.h"
#include "quiz/AnswerOrder.h"
#include "quiz/FlagCatalog.h"
#include "quiz/QuestionRecord.h"
#include "quiz/RateText.h"
#include "quiz/RoundFile.h"

#include <cstdlib>
#include <filesystem>

namespace {

// The fixed texts, as cp932 bytes.
const std::string kVerdictRight = "\x90\xb3\x89\xf0";       // 正解
const std::string kVerdictWrong = "\x8c\xeb\x82\xe8";       // 誤り
const std::string kCorrectIs = "\x90\xb3\x89\xf0\x82\xcd";  // 正解は
const std::string kOtherOpen = "\x81\x69";                  // （
const std::string kOtherClose = "\x82\xe0\x89\xc2\x81\x6a"; // も可）
const std::string kNumberSuffix = "\x94\xd4";               // 番
const std::string kEndMessage = "\x8f\x49\x97\xb9!!";       // 終了!!
constexpr unsigned kIconStop = 0x10;
constexpr unsigned kIconInformation = 0x40;

constexpr std::array<int, 4> kAnswerButtons = {IDC_BUTTON_ANSWER1, IDC_BUTTON_ANSWER2,
                                               IDC_BUTTON_ANSWER3, IDC_BUTTON_ANSWER4};

} // namespace

void RuntimeRandom::Seed(unsigned nSeed)
{
    std::srand(nSeed);
}
int RuntimeRandom::Next()
{
    return std::rand();
}

QuizRound::QuizRound(ProfileStore& profile, IRoundView& view, IRandom& random, Clock clock)
    : m_profile(profile), m_view(view), m_random(random), m_clock(std::move(clock))
{
}

void QuizRound::OnButtonStart()
{
    const int nTimeLimit = m_profile.Get(ProfileKeys::kTimeLimit);
    m_nLife = m_profile.Get(ProfileKeys::kLife);
    m_nRemaining = m_profile.Get(ProfileKeys::kQuestionCount);
    m_nSeq = m_profile.Get(ProfileKeys::kOrder);

    m_view.StartTimer();
    m_view.EnableControl(IDC_BUTTON_START, false);
    m_view.EnableControl(IDC_BUTTON_STOP, true);
    for (int nId : kAnswerButtons)
        m_view.EnableControl(nId, true);
    for (int nLamp = 1; nLamp <= 3; ++nLamp)
        m_view.SetLampColor(nLamp, kLampRed);

    m_nTick = 0;
    m_nCorrectNo = 0;
    m_nCorrect = 0;
    m_nAnswered = 0;
    m_view.SetTimeRange(nTimeLimit);
    m_view.SetTimePos(0);
    m_shown.reset();
    m_file.Reset();
    for (IAnswerObserver* pObserver : m_observers)
        pObserver->OnRoundStarted();
    DrawQuestion();
}

void QuizRound::OnTimer(int nIdEvent)
{
    if (nIdEvent != kQuestionTimer)
        return;
    const int nTimeLimit = m_profile.Get(ProfileKeys::kTimeLimit);
    ++m_nTick;
    // Equality, not "reached": a limit lowered below the ticks already counted never times out.
    if (m_nTick != nTimeLimit + 1) {
        m_view.SetTimePos(m_nTick);
        return;
    }
    Report(AnswerResult::TimeOut);
    ShowJudgement(kVerdictWrong);
    --m_nLife;
    --m_nRemaining;
    ++m_nAnswered;
    UpdateLamp();
    AfterJudgement();
}

void QuizRound::JudgeAnswer(int nAnswer)
{
    if (!m_bTyping && !m_bPointing)
        Answer(nAnswer == m_nCorrectNo, {});
}

void QuizRound::JudgeTyped(std::string_view typed)
{
    if (!m_bTyping)
        return;
    const std::string_view record = m_shown ? std::string_view(m_shown->strRecord) : "";
    const TypedVerdict verdict = m_pTypedJudge->Judge(typed, record);
    if (verdict == TypedVerdict::Right)
        m_strOtherForm = m_pTypedJudge->OtherForm(typed, record);
    if (verdict != TypedVerdict::Empty)
        Answer(verdict == TypedVerdict::Right, typed);
}

void QuizRound::JudgePointed(std::string_view clickedCode, bool bRight)
{
    if (!m_bPointing)
        return;
    // A wrong click says what it hit: 誤り（ニジェール）.
    std::string strNote;
    if (!bRight && !clickedCode.empty())
        strNote = "\x81\x69" + m_view.CountryName(std::string(clickedCode)) + "\x81\x6a";
    Answer(bRight, clickedCode, strNote);
}

void QuizRound::Answer(bool bRight, std::string_view typed, std::string_view verdictNote)
{
    std::string strVerdict;
    if (bRight) {
        strVerdict = kVerdictRight;
        m_view.PlayEffect(kEffectCorrect);
        ++m_nCorrect;
    } else {
        --m_nLife;
        strVerdict = kVerdictWrong;
        m_view.PlayEffect(kEffectWrong);
        UpdateLamp(); // the lamp goes out before the popup opens
    }
    Report(bRight ? AnswerResult::Correct : AnswerResult::Wrong, typed);
    ShowJudgement(strVerdict + std::string(verdictNote));
    --m_nRemaining;
    ++m_nAnswered;
    AfterJudgement();
}

// The popup runs with the question clock stopped, so its two seconds count for no question.
void QuizRound::ShowJudgement(const std::string& strVerdict)
{
    m_view.StopTimer();
    m_view.Judge(strVerdict, CorrectLine());
    m_strOtherForm.clear();
    m_view.StartTimer();
    m_nTick = 0;
    m_view.SetTimePos(0);
}

void QuizRound::AfterJudgement()
{
    // Both tests are for exactly zero: an allowance or count that starts at 0 or below runs on.
    if (m_nLife != 0 && m_nRemaining != 0)
        DrawQuestion();
    else
        EndRound();
}

void QuizRound::EndRound()
{
    StopRound(true);
}

// Without bAnnounce there is no "終了!!": a draw that failed has already said why it ends.
void QuizRound::StopRound(bool bAnnounce)
{
    m_view.StopTimer();
    m_view.SetTimePos(0);
    m_bTyping = false;
    m_bPointing = false;
    m_nLife = m_profile.Get(ProfileKeys::kLife);
    if (bAnnounce)
        m_view.MessageBox(kEndMessage, kIconInformation);
    m_file.Reset();
    m_view.EnableControl(IDC_BUTTON_START, true);
    m_view.EnableControl(IDC_BUTTON_STOP, false);
    for (int nId : kAnswerButtons)
        m_view.EnableControl(nId, false);
    m_view.EnableControl(IDC_EDIT_ANSWER, false);
    m_strRate = FormatRate(m_nCorrect, m_nAnswered);
    m_view.UpdateData();
    for (IAnswerObserver* pObserver : m_observers)
        pObserver->OnRoundEnded();
}

// Only a record a draw read whole is reported.
void QuizRound::Report(AnswerResult result, std::string_view typed)
{
    if (!m_shown)
        return;
    m_shown->result = result;
    m_shown->strTyped = typed;
    for (IAnswerObserver* pObserver : m_observers) {
        pObserver->OnJudged(*m_shown);
        if (const std::string strNotice = pObserver->TakeNotice(); !strNotice.empty()) {
            m_view.StopTimer(); // the notice costs the question no time
            m_view.MessageBox(strNotice, kIconStop);
            m_view.StartTimer();
        }
    }
}

void QuizRound::UpdateLamp()
{
    switch (m_nLife) {
    case 2:
        m_view.SetLampColor(3, kLampWhite);
        break;
    case 1:
        m_view.SetLampColor(2, kLampWhite);
        break;
    case 0:
        m_view.SetLampColor(1, kLampWhite);
        break;
    default:
        break;
    }
}

std::string QuizRound::CorrectLine() const
{
    if (m_bTyping && !m_strOtherForm.empty())
        return kCorrectIs + " " + m_strCorrectAnswer + kOtherOpen + m_strOtherForm + kOtherClose;
    if (m_bTyping)
        return kCorrectIs + " " + m_strCorrectAnswer;
    if (m_bPointing)
        return kCorrectIs + " " + m_view.CountryName(m_strPositionCode);
    return kCorrectIs + std::to_string(m_nCorrectNo) + kNumberSuffix;
}

// Only a whole record of a usable file reaches the screen. Anything else (no file, no regular
// file, a length that holds no whole records, a file changed under the round, a record that is
// not there) is reported with the file's name and stops the round, so no blank question is
// shown, no verdict names a button without an answer and nothing is recorded for it.
bool QuizRound::DrawQuestion()
{
    const std::string strName = m_profile.Get(ProfileKeys::kQuestionFile);
    const std::optional<std::filesystem::path> path =
        strName.empty() ? std::nullopt : PathInCurrentDir(strName);
    DrawProblem problem = path ? m_file.Open(*path) : DrawProblem::OpenFailed;
    std::string bytes;
    if (problem == DrawProblem::None) {
        if (const std::string strNotice = m_file.TakeTailNotice(strName); !strNotice.empty()) {
            m_view.StopTimer(); // the notice costs the question no time
            m_view.MessageBox(strNotice, kIconInformation);
            m_view.StartTimer();
        }
        m_random.Seed(static_cast<unsigned>(m_clock()));
        const std::int64_t nRecords = m_file.Records();
        // A round asks at most what its file holds; the stored count stays the learner's for
        // the next, larger file. A count of 0 or below still runs on.
        if (m_nAnswered == 0 && m_nRemaining > nRecords)
            m_nRemaining = static_cast<int>(nRecords);
        std::int64_t nIndex = m_nAnswered;
        if (m_nSeq != 0)
            nIndex = m_random.Next() % nRecords;
        problem = m_file.Read(nIndex, bytes);
        if (problem == DrawProblem::None)
            m_shown =
                JudgedAnswer{static_cast<int>(nIndex), bytes, strName, AnswerResult::Wrong, {}};
    }
    if (problem != DrawProblem::None) {
        m_shown.reset();
        m_view.StopTimer(); // no time-out, verdict or further draw while the message is open
        m_view.MessageBox(m_file.Message(problem, strName), kIconStop);
        StopRound(false);
        return false;
    }
    const QuestionRecord rec = SplitRecord(bytes);
    m_strQuestion = rec.strQuizQuestion;
    // A flag-choice question shows its answers as flags; the asked flag would give it away.
    const std::optional<std::array<std::string, 4>> flags = FlagChoiceCodes(rec);
    // A position question is answered on the map: by its numbered candidates, or by pointing.
    const std::optional<std::array<std::string, 4>> positions = PositionCodes(rec);
    m_strCorrectAnswer = rec.CorrectAnswer();
    // Flag choices stay chosen; a typed question is answered in the field alone, never by the
    // buttons or keys 1-4; a pointed one by a click on the map alone.
    const bool bSwitch = m_pTypedJudge && m_profile.IsOn(ProfileKeys::kTyping);
    m_bTyping = bSwitch && !flags && !positions;
    m_bPointing = bSwitch && positions.has_value();
    m_strPositionCode = positions ? rec.strCode : std::string();
    for (int nId : kAnswerButtons)
        m_view.EnableControl(nId, !m_bTyping && !m_bPointing);
    m_view.EnableControl(IDC_EDIT_ANSWER, m_bTyping);
    m_view.ShowFlag(flags ? std::nullopt : LookupFlagBitmap(rec.strCode));

    const int nRow = m_random.Next() % kAnswerOrderCount;
    std::optional<std::array<std::string, 4>> shownFlags = flags;
    std::optional<std::array<std::string, 4>> shownPlaces = positions;
    for (int p = 1; p <= 4; ++p) {
        const auto nShown = static_cast<std::size_t>(p - 1);
        const auto nStored = static_cast<std::size_t>(StoredAt(nRow, p) - 1);
        m_strAnswers[nShown] = flags ? std::string() : rec.answers[nStored];
        if (flags)
            (*shownFlags)[nShown] = (*flags)[nStored];
        if (positions)
            (*shownPlaces)[nShown] = (*positions)[nStored];
    }
    m_view.ShowPosition(shownPlaces, m_strPositionCode, m_bPointing);
    m_view.ShowFlagChoice(shownFlags);
    if (std::optional<int> nStored = rec.CorrectIndex())
        m_nCorrectNo = PositionOf(nRow, *nStored + 1);

    m_view.SetTimePos(0);
    m_strRate = FormatRate(m_nCorrect, m_nAnswered);
    m_view.UpdateData();
    for (IAnswerObserver* pObserver : m_observers)
        pObserver->OnQuestionShown();
    return true;
}
