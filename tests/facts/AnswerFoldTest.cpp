#include "facts/AnswerFold.h"
#include "facts/Facts.h"
#include "typing/AnswerJudge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using AnswerFold::Fold;
using AnswerJudge::Verdict;
using Strings = std::vector<std::string>;

struct SameCase
{
    const char* szTyped;
    const char* szAnswer;
};

TEST(AnswerFoldTest, FoldsWhatJapaneseTypingVaries)
{
    EXPECT_EQ(Fold("フランス"), "ふらんす");
    const std::vector<SameCase> cases = {
        {"ﾌﾗﾝｽ", "フランス"},       // half-width katakana
        {"ﾊﾟﾘ", "パリ"},            // and its marks join the kana
        {"ガーナ", "カ\u3099ーナ"}, // a combining mark joins too
        {"バヌアツ", "ヴァヌアツ"}, // ヴ spellings
        {"ビエンチャン", "ヴィエンチャン"},
        {"ベネズエラ", "ヴェネズエラ"},
        {"ボツワナ", "ヴォツワナ"},
        {"モルドバ", "モルドヴァ"},
        {"ブルンジ", "ヴルンジ"},
        {"ばぬあつ", "ｳﾞｧﾇｱﾂ"},                  // ウ+ﾞ is ヴ, then ヴァ is バ
        {"ばぬあつ", "ウ゛ァヌアツ"},            // a spacing ゛ joins as well
        {"ばぬあつ", "ヷヌアツ"},                // the voiced ワ is ヴァ
        {"ニュージーランド", "ニュ-ジ－ランド"}, // long-vowel marks and dashes
        {"ニュージーランド", "ニュ‐ジ—ランド"},
        {"ニュージーランド", "ﾆｭｰｼﾞｰﾗﾝﾄﾞ"},
        {"ニュージーランド", "ニュジランド"},         // left out, not only swapped
        {"アンドラ・ラ・ベリャ", "アンドララベリャ"}, // middle dots and spaces
        {"アンドラ･ラ･ベリャ", "アンドラ ラ　ベリャ"},
        {"ワシントンD.C.", "ﾜｼﾝﾄﾝ ｄｃ"}, // full-width ASCII, case, full stops
        {"アジア州", "アジア"},           // a trailing 州 after kana
        {"北アメリカ州", "北あめりか"},   // kanji stay kanji
    };
    for (const SameCase& c : cases)
        EXPECT_EQ(Fold(c.szTyped), Fold(c.szAnswer)) << c.szTyped << " / " << c.szAnswer;

    const std::vector<SameCase> apart = {
        {"ニジェール", "ナイジェリア"},
        {"オーストリア", "オーストラリア"},
        {"パリ", "バリ"},
        {"バリ", "ハリ"},
        {"ドミニカ国", "ドミニカ共和国"},
        {"コンゴ共和国", "コンゴ民主共和国"},
        {"日本", "にほん"}, // readings are forms of their own, not a folding
        {"広州", "広"},     // 州 after kanji is part of the name
        {"アジア州州", "アジア"},
        {"ヴ", "ウ"},
    };
    for (const SameCase& c : apart)
        EXPECT_NE(Fold(c.szTyped), Fold(c.szAnswer)) << c.szTyped << " / " << c.szAnswer;

    for (const char* szEmpty : {"", " 　", "ー・-", "･ｰ．"})
        EXPECT_EQ(Fold(szEmpty), "") << szEmpty;
    EXPECT_EQ(Fold("\xff"), "\xef\xbf\xbd"); // a stray byte is U+FFFD, never dropped
}

// Texts that stand for one thing (a country, a region, a language) and what names it.
struct Meaning
{
    std::string strLabel;
    Strings same; // two meanings sharing any of these are one
    Strings keys;
};

void AddKeys(Meaning& m, const Strings& forms)
{
    for (const std::string& form : forms)
        m.keys.push_back(Fold(form));
}

Strings WithReadings(std::string_view text)
{
    Strings forms = Facts::Readings(text);
    forms.emplace_back(text);
    return forms;
}

// No key of one meaning is a key of another.
void ExpectApart(const std::vector<Meaning>& meanings)
{
    std::multimap<std::string, const Meaning*> byKey;
    for (const Meaning& m : meanings)
        for (const std::string& key : m.keys)
            byKey.emplace(key, &m);
    for (auto it = byKey.begin(); it != byKey.end(); ++it) {
        EXPECT_FALSE(it->first.empty()) << it->second->strLabel;
        for (auto other = std::next(it); other != byKey.end() && other->first == it->first;
             ++other) {
            const Strings& a = it->second->same;
            const Strings& b = other->second->same;
            EXPECT_TRUE(std::any_of(
                a.begin(), a.end(),
                [&](const std::string& s) { return std::find(b.begin(), b.end(), s) != b.end(); }))
                << it->second->strLabel << " and " << other->second->strLabel << " both fold to "
                << it->first;
        }
    }
}

TEST(AnswerFoldTest, NoFoldingMergesTwoCountriesRegionsOrLanguages)
{
    const Facts::Table& table = Facts::CompiledTable();
    ASSERT_EQ(table.countries.size(), 199u);
    std::vector<Meaning> names, capitals, regions, languages;
    Strings regionTexts;
    for (const Facts::Country& c : table.countries) {
        const std::string code(c.code);
        names.push_back({code + " の国名", {code}, {}});
        AddKeys(names.back(), AnswerFold::AcceptedForms(table, c, AnswerFold::Kind::Name));
        capitals.push_back({code + " の首都", {code}, {}});
        AddKeys(capitals.back(), AnswerFold::AcceptedForms(table, c, AnswerFold::Kind::Capital));
        regionTexts.emplace_back(c.region);
        regionTexts.insert(regionTexts.end(), c.regionAlso.begin(), c.regionAlso.end());
        regionTexts.emplace_back(c.continent);
        for (const Facts::Language& language : c.languages) {
            languages.push_back({code + " の" + std::string(language.names[0]), {}, {}});
            for (std::string_view name : language.names) {
                languages.back().same.emplace_back(name);
                AddKeys(languages.back(), WithReadings(name));
            }
        }
    }
    for (const std::string& text : regionTexts) {
        regions.push_back({text, {text}, {}});
        AddKeys(regions.back(), WithReadings(text));
        AddKeys(regions.back(), WithReadings(text + "州"));
    }
    ExpectApart(names);
    ExpectApart(capitals);
    ExpectApart(regions);
    ExpectApart(languages);
}

// A marked answer and what typing gets for it.
struct JudgeCase
{
    const char* szCode; // "" for a country the table does not know
    const char* szStarred;
    std::vector<std::pair<const char*, Verdict>> typed;
};

TEST(AnswerJudgeTest, AcceptsTheTablesFormsAndReadingsAndNothingElse)
{
    const Verdict R = Verdict::Right, W = Verdict::Wrong, E = Verdict::Empty;
    const std::vector<JudgeCase> cases = {
        {"fra", "パリ", {{"ぱり", R}, {"ﾊﾟﾘ ", R}, {"ロンドン", W}, {"　", E}, {"ー", E}}},
        {"jpn", "東京", {{"とうきょう", R}, {"トウキョウ", R}, {"東京都", W}}}, // readings of kanji
        {"jpn", "日本", {{"にっぽん", R}, {"ニホン", R}}},
        {"chn", "北京", {{"ペキン", R}, {"べきん", W}}},
        {"gbr", "イギリス", {{"えいこく", R}}}, // other names and their readings
        {"usa", "ワシントンD.C.", {{"ワシントンDC", R}}},
        {"bol", "スクレ", {{"ラ・パス", R}}}, // other capitals
        {"nld", "アムステルダム", {{"ハーグ", R}}},
        {"usa", "ワシントンD.C.", {{"わしんとん", R}}}, // a bare name that names no other place
        {"mex", "メキシコシティ", {{"メキシコ", W}}},   // the bare name is a country's
        {"nga", "アブジャ", {{"ラゴス", W}}},           // a former capital
        {"mmr", "ネピドー", {{"ヤンゴン", W}}},
        {"tza", "ドドマ", {{"ダルエスサラーム", W}}}, // no longer the seat
        {"zaf", "プレトリア", {{"ケープタウン", R}}},
        {"ven", "ベネズエラ", {{"ヴェネズエラ", R}}},
        // A region, its 州, with and without 州.
        {"jpn",
         "東アジア",
         {{"ひがしあじあ", R},
          {"アジア州", R},
          {"あじあしゅう", R},
          {"アジア", R},
          {"東南アジア", W}}},
        {"afg", "南アジア", {{"西アジア", R}}}, // a region other sources give
        {"kor", "韓国語", {{"ちょうせんご", R}}},
        {"tls", "テトゥン語、ポルトガル語", {{"インドネシア語", W}}}, // a working language only
        {"che",
         "ドイツ語、フランス語、イタリア語、ロマンシュ語",
         {{"ふらんすご", R}, {"イタリア語，ドイツ語", R}, {"ドイツ語、英語", W}, {"英語", W}}},
        // Official languages that are not shown count too.
        {"zaf",
         "英語、アフリカーンス語、ズールー語など12言語",
         {{"コサ語", R}, {"南アフリカ手話", R}, {"フランス語", W}}},
        {"fra", "フランス語", {{"フランス語、英語", W}}},
        {"fra", "フランス", {{"パリ", W}}}, // a name question takes no capital
        {"dma", "ドミニカ国", {{"ドミニカ共和国", W}}},
        {"dom", "ドミニカ共和国", {{"ドミニカ国", W}, {"ドミニカ", W}}},
        {"cog", "コンゴ共和国", {{"コンゴ民主共和国", W}}},
        {"cod", "コンゴ民主共和国", {{"こんごきょうわこく", W}}},
        {"ner", "ニジェール", {{"ナイジェリア", W}}},
        {"nga", "ナイジェリア", {{"にじぇーる", W}}},
        // The author's own question: its answer alone, folded.
        {"jpn", "円", {{"えん", W}, {"円", R}, {"日本", W}}},
        {"", "ムンバイ", {{"ﾑﾝﾊﾞｲ", R}, {"ボンベイ", W}}}, // a country the table does not know
        {"", "", {{"ムンバイ", W}}},                       // no marked answer: nothing is right
    };
    const Facts::Table& table = Facts::CompiledTable();
    for (const JudgeCase& c : cases) {
        const Facts::Country* country = *c.szCode ? Facts::FindCountry(c.szCode) : nullptr;
        ASSERT_EQ(country == nullptr, *c.szCode == 0) << c.szCode;
        const AnswerJudge::Accepted accepted =
            AnswerJudge::AcceptedAnswers(table, country, c.szStarred);
        for (const auto& [szTyped, verdict] : c.typed)
            EXPECT_EQ(AnswerJudge::Judge(accepted, szTyped), verdict)
                << c.szCode << " " << c.szStarred << " / " << szTyped;
    }
}

TEST(AnswerJudgeTest, OtherFormNamesTheTablesFormOfARightTypedAnswer)
{
    const Facts::Table& table = Facts::CompiledTable();
    struct Case
    {
        const char* szCode;
        const char* szStarred;
        const char* szTyped;
        const char* szOther;
    };
    const std::vector<Case> cases = {
        {"gbr", "西ヨーロッパ", "きたよーろっぱ", "北ヨーロッパ"},
        {"gbr", "イギリス", "えいこく", "英国"},
        {"usa", "ワシントンD.C.", "ワシントン", "ワシントン"},
        {"jpn", "東京", "とうきょう", ""}, // the marked answer's reading
        {"gbr", "西ヨーロッパ", "東ヨーロッパ", ""},
        {"che", "ドイツ語、フランス語、イタリア語、ロマンシュ語", "ドイツ語", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(
            AnswerJudge::OtherForm(table, Facts::FindCountry(c.szCode), c.szStarred, c.szTyped),
            c.szOther)
            << c.szCode << " " << c.szTyped;
}

} // namespace
