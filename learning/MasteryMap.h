#pragma once

#include "learning/AnswerHistory.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace Facts {
struct Country;
}

// What a question asks, as the mastery map tells kinds apart; その他 only counts for all kinds.
enum class StudyKind
{
    Country,  // 国名
    Capital,  // 首都
    Region,   // 地域
    Language, // 公用語
    Flag,     // 国旗: four flags to choose from
    Position, // 位置: four countries on the map
    Other,
};
inline constexpr int kStudyKinds = 7;
const char* StudyKindName(StudyKind kind); // UTF-8: "国名" ... "位置", "その他"

// A question's kind by its text alone (UTF-8): 国旗 for "…の国旗はどれ？", 位置 for "…はどこ？"
// that asks no capital, the text kinds by what they ask.
StudyKind KindOfQuestionText(std::string_view utf8Question);

struct QuestionRecord;
// A record's kind: 位置 or 国旗 by its four answers, any other by its text.
StudyKind KindOfRecord(const QuestionRecord& record);

// The whole records of a question file about the countries given, of one kind or (empty) all,
// byte for byte in the file's order.
std::string QuestionsAbout(std::string_view questionFile, const std::vector<std::string>& codes,
                           std::optional<StudyKind> kind);

// The kinds of the records of question files, so that a history row is classified by the
// record it was asked from: a flag-choice or position record by its answers, others by text.
class RecordKinds
{
  public:
    // fileUtf8: the file's name as the history writes it; bytes: its records (cp932).
    void AddFile(const std::string& fileUtf8, std::string_view bytes);
    // By the record when the named file holds, at the row's number, a record of the row's code
    // and question; by the question's text otherwise (a file edited or gone since).
    StudyKind KindOf(const HistoryRow& row) const;
    // The question files of the current folder that rows name, each read once; a file that
    // cannot be read is left out, its rows classified by their text.
    static RecordKinds ReadForRows(const std::vector<HistoryRow>& rows);

  private:
    struct Record
    {
        std::string strCode;     // UTF-8
        std::string strQuestion; // UTF-8, as the history writes it
        StudyKind kind;
    };
    std::unordered_map<std::string, std::vector<Record>> m_files;
    std::vector<Record> m_noRecords;
    mutable std::string m_strLastFile;
    mutable const std::vector<Record>* m_pLastFile = nullptr;
};

// How well a country is known, from the whole history:
//   未出題  never asked;
//   要復習  its latest answer of some kind was wrong, or a kind of question about it is due
//           for review by the review schedule's steps (0, 1, 3, 7, 14 days);
//   学習中  answered right, not yet mastered;
//   習得    every kind asked about it answered right at least 3 times in a row, the last of
//           them at least 7 days after the first, and nothing about it due.
// A kind of question about a country is one card, whatever file or record asked it.
enum class Mastery
{
    Unasked,
    Review,
    Learning,
    Mastered,
};
inline constexpr int kMasteryStates = 4;
const char* MasteryName(Mastery state); // UTF-8: "未出題", "要復習", "学習中", "習得"

// The states' colours as 0xRRGGBB, told apart with red-green colour blindness (Okabe and Ito's
// palette, checked under deuteranopia and protanopia simulations) and by lightness: 未出題 light
// grey, 要復習 vermilion, 学習中 sky blue, 習得 blue. Where there is room 要復習 is hatched as
// well, so the state never rests on colour alone.
std::uint32_t MasteryRgb(Mastery state);

struct CountryMastery
{
    Mastery state = Mastery::Unasked;
    int nLastRow = -1; // the row of its last answer of the kinds counted; -1 when unasked
};

class MasteryMap
{
  public:
    static constexpr int kMasteredRun = 3;
    static constexpr int kMasteredDays = 7;

    // Rows without a readable time are left out: they cannot be placed on the schedule.
    MasteryMap(const std::vector<HistoryRow>& rows, const RecordKinds& kinds,
               std::span<const Facts::Country> countries, std::int64_t nToday);

    // Per country in the order given, of one kind or (empty) of all.
    std::vector<CountryMastery> States(std::optional<StudyKind> kind) const;
    static std::array<int, kMasteryStates> Count(const std::vector<CountryMastery>& states);

  private:
    struct Card
    {
        int nBox = 1;
        int nRun = 0; // right answers in a row at the end
        std::int64_t nRunFirstDay = 0;
        std::int64_t nLastDay = 0;
        bool bLastRight = false;
        int nLastRow = -1; // -1: never asked
    };
    Mastery StateOf(const Card& card) const;

    std::int64_t m_nToday;
    std::vector<std::array<Card, kStudyKinds>> m_cards; // per country
};
