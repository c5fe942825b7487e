#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

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
    // question is typed (QuizRound::IsTypingQuestion). Comes with every draw, before
    // UpdateData; with flags the picture box shows no flag.
    virtual void ShowFlagChoice(const std::optional<std::array<std::string, 4>>& codes) = 0;
    // A position question, answered on the map: the candidates as catalogue codes in shown order
    // and the asked one; with bPointing the learner points at it on the map instead, and no
    // candidate is marked. Comes with every draw before ShowFlagChoice, empty for every other
    // question. A view without a map keeps the text rows.
    virtual void ShowPosition(const std::optional<std::array<std::string, 4>>& /*codes*/,
                              const std::string& /*strAsked*/, bool /*bPointing*/)
    {
    }
    // A country's usual name (cp932), for the verdict of a pointed answer; its code when the
    // view knows no name.
    virtual std::string CountryName(const std::string& strCode) { return strCode; }
    // Puts the question, the four answers and the rate on screen.
    virtual void UpdateData() = 0;
};
