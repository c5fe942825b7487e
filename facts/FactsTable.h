#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The facts table (data/countries.tsv) parsed: each country as the quiz and its tools know it,
// with readings for what is written in kanji. Texts are UTF-8 views into the text given to
// Parse; callers convert (platform/Cp932.h). Where a field holds several forms, the first is the
// one answers show and the others are accepted as well.
namespace Facts {

// The six 州 of Japanese schooling, without 州, in the order every list shows them.
inline constexpr std::array<std::string_view, 6> kContinents = {
    "アジア", "ヨーロッパ", "アフリカ", "北アメリカ", "南アメリカ", "オセアニア"};

// Between the official languages of a country in the table and in the answers made from it.
inline constexpr std::string_view kLanguageSeparator = "、";

// The 州's index in kContinents; kContinents.size() for any other.
std::size_t ContinentIndex(std::string_view continent);

// A text written with kanji and its readings in hiragana: 日本, {にほん, にっぽん}.
struct Reading
{
    std::string_view text;
    std::vector<std::string_view> kana;
};

struct Language
{
    std::vector<std::string_view> names; // 韓国語, then 朝鮮語: other names of the same language
};

struct Country
{
    std::string_view code;               // flag catalogue code: "jpn"
    std::vector<std::string_view> names; // イギリス, 英国
    std::vector<std::string_view> capitals; // プレトリア, ケープタウン, ブルームフォンテーン
    std::string_view region;                // 東アジア
    std::vector<std::string_view> regionAlso;   // other regions mainstream sources give
    std::string_view continent;                 // the 州 without 州: アジア
    std::vector<Language> languages;            // official languages, one by one
    std::vector<std::string_view> similarFlags; // codes of look-alike flags
    std::string_view note;                      // sources and judgements, in English
    std::vector<Reading> readings;              // every name and capital form with kanji
    int nLine = 0;                              // in countries.tsv
    // Cities the country names or has named capital or seat that are no typed answer: former
    // capitals (ラゴス), a constitution's old royal capital (ツェティニェ). Never a wrong answer.
    std::vector<std::string_view> capitalAlso;
    // Languages in official use only in part of the country or for some purposes (a
    // constitution's regional or working languages): never a wrong answer, no typed answer.
    std::vector<std::string_view> languagesAlso;
    std::string_view noteJa; // the note for learners, in Japanese
};

struct Table
{
    std::vector<Country> countries; // in file order
    std::vector<Reading> words;     // kanji words that regions, 州 and languages are made of
    std::string strError;           // empty when both files were read whole
};

// countries.tsv: a header line naming the columns code, name, capital, region, continent,
// languages, and optionally region_also, capital_also, languages_also, similar_flags, note,
// note_ja, name_reading, capital_reading.
// Forms of a name or capital are joined by "=", languages by "、" (a language's other names by
// "="), region_also, capital_also, languages_also and similar_flags by spaces. name_reading and
// capital_reading list, by spaces, "form:reading" for every form of that field written with kanji,
// several readings joined by "|" (日本:にほん|にっぽん). words.tsv: columns word and reading, the
// same way. Every code once. Stops at the first fault and names its file and line.
Table Parse(std::string_view countriesTsv, std::string_view wordsTsv);

// countries.tsv alone, as the question tool and the manual read it: the same rules, but a form
// written with kanji may lack its reading (readings given are checked) and no word is read.
// Faults name the line alone.
Table ParseCountries(std::string_view countriesTsv);

// The text in hiragana: a name or capital of the table by its reading there, anything else
// with its kana as hiragana and its kanji read word by word through the word list. 日本 gives
// にほん and にっぽん, 東南アジア州 とうなんあじあしゅう, ブラジル ぶらじる. At most 16 readings;
// empty when some kanji has no reading.
std::vector<std::string> ReadingsOf(const Table& table, std::string_view text);

} // namespace Facts
