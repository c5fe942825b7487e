#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The bundled question bank, made from the facts table: for every country four questions about
// the flag on screen, each with three wrong answers taken from other countries, one that names
// the country and offers four flags, and one that names it and offers four places on the map.
namespace BankGenerator {

inline constexpr std::uint64_t kDefaultSeed = 524;

enum class Kind
{
    Country,
    Capital,
    Region,
    Language,
    Flag,    // a flag-choice question: the answers are catalogue codes
    Position // answered on the map: the answers are '@' and a catalogue code
};
inline constexpr std::size_t kKindCount = 6;

struct Language
{
    std::vector<std::string> names; // the name shown first, then other names of the same language
};

struct Country
{
    int nLine = 0; // in the facts table
    std::string strCode;
    std::string strName;                    // as the answer shows it
    std::string strCapital;                 // as the answer shows it
    std::vector<std::string> otherNames;    // never a wrong answer
    std::vector<std::string> otherCapitals; // co-capitals and disputed ones: never a wrong answer
    std::string strRegion;
    std::string strContinent;
    std::vector<Language> languages;
    std::vector<std::string> regionAlso;    // regions some sources give: never a wrong answer
    std::vector<std::string> similarFlags;  // codes of look-alike flags: first wrong answers
    std::vector<std::string> capitalAlso;   // former and other named capitals: never wrong
    std::vector<std::string> languagesAlso; // regional and working languages: never wrong
};

struct FactsResult
{
    bool bOk = false;
    std::vector<Country> countries;
    std::string strError; // UTF-8, with the line number
};

// The facts table read as Facts::ParseCountries reads it (facts/FactsTable.h); every code must
// also be a flag catalogue code. (FactsFile.cpp)
FactsResult ParseFacts(std::string_view utf8);

// The answer to the language question: all names when four or fewer fit, else the first three
// and the count ("英語、アフリカーンス語、ズールー語など12言語").
std::string LanguageAnswer(const Country& country);

// The question of the four kinds about the flag on screen; the 国旗 and 位置 kinds have none of
// their own.
std::string_view QuestionText(Kind kind);
// The clues of a flag-choice question: "ブラジルの国旗はどれ？",
// "首都がブラジリアの国の国旗はどれ？".
std::string FlagQuestion(std::string_view strName);
std::string FlagQuestionByCapital(std::string_view strCapital);
// The clues of a position question: "チャドはどこ？", or the flag on screen,
// kPositionQuestionByFlag.
std::string PositionQuestion(std::string_view strName);
inline constexpr std::string_view kPositionQuestionByFlag = "この国旗の国はどこ？";
// A position question's answer for a country: "@tcd".
std::string PositionAnswer(std::string_view strCode);

// Every answer to the question of this kind that Japanese sources accept for the country: its
// names; its capitals, the ones it named formerly and other seats; its region, 州 and the other
// regions some sources give; the names of each of its official languages and of the languages
// in official use in part of it. None of them may stand as a wrong answer.
std::vector<std::string> AcceptedAnswers(const Country& country, Kind kind);

struct Question
{
    std::string strCode;
    Kind kind = Kind::Country;
    std::string strQuestion;            // UTF-8
    std::array<std::string, 4> answers; // UTF-8
    int nCorrect = 0;                   // 0-3
};

struct BankResult
{
    bool bOk = false;
    std::vector<Question> questions; // in drill order
    std::string strError;
};

// Asks about the countries of one 州 (every country when strContinent is empty); wrong answers
// come from all the countries given. Each question draws from a stream of its own, made from the
// seed, its country's code and its kind, and each candidate wrong answer gets a rank of its own
// in it: a question changes only when its own country's facts change or a candidate it chose
// or would now choose comes, goes or is renamed. The 国旗 kind draws only where its right flag
// stands; its wrong flags are the table's look-alikes, then the flags most alike in colour and
// layout (FlagLikeness), each group most alike first. The 位置 kind's wrong places are the first
// three of the country's neighbours that are given (Neighbours: borders, then the nearest), and
// only where too few are given, others of its region, then its 州, then anywhere.
BankResult Generate(const std::vector<Country>& countries, std::uint64_t nSeed = kDefaultSeed,
                    std::string_view strContinent = {});

// The questions as the table that import reads (QuestionTsv).
std::string ToImportTsv(const std::vector<Question>& questions);

} // namespace BankGenerator
