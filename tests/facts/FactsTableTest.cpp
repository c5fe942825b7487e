#include "facts/FactsTable.h"
#include "facts/Facts.h"
#include "facts/Kana.h"
#include "quiz/FlagCatalog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;
using Views = std::vector<std::string_view>;

const std::string kHeader = "code\tname\tcapital\tregion\tcontinent\tlanguages\tregion_also\t"
                            "similar_flags\tnote\tname_reading\tcapital_reading\n";
const std::string kWords = "word\treading\n東\tひがし\n東南\tとうなん\n南\tみなみ\n海\tかい\n"
                           "地域\tちいき\n州\tしゅう\n語\tご\n日本\tにほん|にっぽん\n";
const std::string kRows =
    "gbr\tイギリス=英国\tロンドン\t西ヨーロッパ\tヨーロッパ\t英語\t北ヨーロッパ\tnzl aus\t"
    "Note.\t英国:えいこく\t\n"
    "jpn\t日本\t東京\t東アジア\tアジア\t日本語\t\t\t\t日本:にほん|にっぽん\t東京:とうきょう\n"
    "kor\t韓国\tソウル\t東アジア\tアジア\t韓国語=朝鮮語、英語\t\t\t\t韓国:かんこく\t\n";

TEST(FactsTableTest, SplitsEveryFieldAndKeepsFileOrder)
{
    const std::string tsv = kHeader + kRows;
    const Facts::Table table = Facts::Parse(tsv, kWords);
    ASSERT_EQ(table.strError, "");
    ASSERT_EQ(table.countries.size(), 3u);
    const Facts::Country& gbr = table.countries[0];
    EXPECT_EQ(gbr.names, (Views{"イギリス", "英国"}));
    EXPECT_EQ(gbr.regionAlso, Views{"北ヨーロッパ"});
    EXPECT_EQ(gbr.similarFlags, (Views{"nzl", "aus"}));
    EXPECT_EQ(gbr.note, "Note.");
    ASSERT_EQ(gbr.readings.size(), 1u);
    EXPECT_EQ(gbr.readings[0].text, "英国");
    const Facts::Country& jpn = table.countries[1];
    ASSERT_EQ(jpn.readings.size(), 2u);
    EXPECT_EQ(jpn.readings[0].kana, (Views{"にほん", "にっぽん"}));
    EXPECT_EQ(jpn.readings[1].text, "東京");
    const Facts::Country& kor = table.countries[2];
    ASSERT_EQ(kor.languages.size(), 2u);
    EXPECT_EQ(kor.languages[0].names, (Views{"韓国語", "朝鮮語"}));
    EXPECT_EQ(kor.languages[1].names, Views{"英語"});
    EXPECT_TRUE(kor.regionAlso.empty());
}

struct ReadingCase
{
    const char* szText;
    Strings readings;
};

TEST(FactsTableTest, ReadsTableFormsWholeAndOtherTextWordByWord)
{
    const std::string tsv = kHeader + kRows;
    const Facts::Table table = Facts::Parse(tsv, kWords);
    ASSERT_EQ(table.strError, "");
    const std::vector<ReadingCase> cases = {
        {"日本", {"にほん", "にっぽん"}},       // the row's reading, not the word's
        {"東京", {"とうきょう"}},               // a capital; 東 alone would read ひがし
        {"ブラジル", {"ぶらじる"}},             // kana only
        {"東南アジア", {"とうなんあじあ"}},     // the longer word before 東
        {"東アジア州", {"ひがしあじあしゅう"}}, // two runs of kanji
        {"カリブ海地域", {"かりぶかいちいき"}}, // one run, two words
        {"日本語", {"にほんご", "にっぽんご"}}, // every reading of each word
        {"モヘーニョ・トリニタリオ語", {"もへーにょ・とりにたりおご"}},
        {"東洋", {}}, // 洋 is in no word
        {"", {}},
    };
    for (const ReadingCase& c : cases)
        EXPECT_EQ(Facts::ReadingsOf(table, c.szText), c.readings) << c.szText;

    // 東南 reads as one word or two, so each failing place would be tried twice over.
    std::string run;
    for (int i = 0; i < 40; ++i)
        run += "東南";
    EXPECT_EQ(Facts::ReadingsOf(table, run + "洋"), Strings{});
    EXPECT_EQ(Facts::ReadingsOf(table, run).size(), 1u);
    EXPECT_EQ(Facts::ReadingsOf(table, "日本日本日本日本日本").size(), 16u); // of 32
}

struct FaultCase
{
    std::string strRows;
    std::string strWords;
    const char* szError;
};

TEST(FactsTableTest, ATableWithAFaultNamesFileLineAndFault)
{
    const std::string ok = "fra\tフランス\tパリ\t西ヨーロッパ\tヨーロッパ\tフランス語\t\t\t\t\t\n";
    const std::vector<FaultCase> cases = {
        {ok + "gbr\t英国\tロンドン\t西ヨーロッパ\tヨーロッパ\t英語\t\t\t\t\t\n", kWords,
         "countries.tsv 3 行目: name_reading: 「英国」の読みがありません"},
        {ok + "jpn\t日本\t東京\t東アジア\tアジア\t日本語\t\t\t\t日本:にほん 東京:とうきょう\t\n",
         kWords, "countries.tsv 3 行目: name_reading: 読み「東京:とうきょう」の「東京」は、読む欄"},
        {"jpn\t日本\t東京\t東アジア\tアジア\t日本語\t\t\t\t日本:ニホン\t東京:とうきょう\n", kWords,
         "countries.tsv 2 行目: name_reading: 「日本」の読みはひらがなで書きます"},
        {ok + "fra\tフランス\tパリ\t西ヨーロッパ\tヨーロッパ\tフランス語\t\t\t\tフランス:"
              "ふらんす\t\n",
         kWords, "countries.tsv 3 行目: name_reading: 「フランス」には漢字がない"},
        {ok + ok, kWords, "countries.tsv 3 行目: 国コード「fra」は 2 行目と重複しています"},
        {ok + "ita\tイタリア\tローマ\t南ヨーロッパ\tヨーロッパ\t\t\t\t\t\t\n", kWords,
         "countries.tsv 3 行目: 公用語がありません"},
        {ok + "ita\tイタリア\n", kWords, "countries.tsv 3 行目: 列の数が見出しと違います"},
        {ok, kWords + "東\tあずま\n", "words.tsv 10 行目: 「東」が二度あります"},
        {ok, kWords + "及び\tおよび\n", "words.tsv 10 行目: 「及び」は漢字だけで書きます"},
    };
    for (const FaultCase& c : cases) {
        const std::string tsv = kHeader + c.strRows;
        const Facts::Table table = Facts::Parse(tsv, c.strWords);
        EXPECT_TRUE(table.strError.starts_with(c.szError)) << table.strError;
    }
    const Facts::Table table = Facts::Parse("code\tname\tcapital\n", kWords);
    EXPECT_EQ(table.strError, "countries.tsv 1 行目: 見出しに列「region」がありません");
}

// The question tool and the manual read the table without the word list: a kanji form may lack
// its reading, a reading given is still checked, and a fault names its line alone.
TEST(FactsTableTest, CountriesAloneNeedNoReadings)
{
    const std::string gbr = "gbr\t英国\tロンドン\t西ヨーロッパ\tヨーロッパ\t英語\t\t\t\t\t\n";
    const Facts::Table table = Facts::ParseCountries(kHeader + gbr);
    ASSERT_EQ(table.strError, "");
    EXPECT_EQ(table.countries[0].nLine, 2);
    EXPECT_TRUE(table.countries[0].readings.empty());
    EXPECT_EQ(Facts::ParseCountries(kHeader + gbr +
                                    "jpn\t日本\t東京\t東アジア\tアジア\t日本語\t\t"
                                    "\t\t日本:ニホン\t\n")
                  .strError,
              "3 行目: name_reading: 「日本」の読みはひらがなで書きます");
}

// The table compiled into the program: complete, found by code, and every form a learner may
// type or search for has a reading.
TEST(CompiledFactsTest, EveryCountryIsFoundAndEveryFormHasAReading)
{
    ASSERT_EQ(Facts::Error(), "");
    ASSERT_EQ(Facts::Countries().size(), FlagCatalog().size());
    std::vector<std::string_view> forms;
    for (const Facts::Country& c : Facts::Countries()) {
        EXPECT_EQ(Facts::FindCountry(c.code), &c);
        EXPECT_TRUE(LookupFlagBitmap(c.code).has_value()) << c.code;
        forms.insert(forms.end(), c.names.begin(), c.names.end());
        forms.insert(forms.end(), c.capitals.begin(), c.capitals.end());
        forms.insert(forms.end(), c.regionAlso.begin(), c.regionAlso.end());
        forms.push_back(c.region);
        forms.push_back(c.continent);
        for (const Facts::Language& language : c.languages)
            forms.insert(forms.end(), language.names.begin(), language.names.end());
    }
    for (std::string_view form : forms) {
        const Strings readings = Facts::Readings(form);
        EXPECT_FALSE(readings.empty()) << form;
        for (const std::string& reading : readings) // no kanji or katakana left; ・ may stay
            EXPECT_TRUE(!Kana::HasKanji(reading) && Kana::ToHiragana(reading) == reading)
                << form << " " << reading;
    }
    EXPECT_EQ(Facts::FindCountry("xxx"), nullptr);
}

TEST(CompiledFactsTest, ReadsKanjiAsJapaneseSourcesDo)
{
    const std::vector<ReadingCase> cases = {
        {"日本", {"にほん", "にっぽん"}},
        {"北京", {"ぺきん"}},
        {"平壌", {"ぴょんやん"}},
        {"北朝鮮", {"きたちょうせん"}},
        {"東エルサレム", {"ひがしえるされむ"}},
        {"セントビンセント及びグレナディーン諸島",
         {"せんとびんせんとおよびぐれなでぃーんしょとう"}},
        {"東南アジア", {"とうなんあじあ"}},
        {"南部アフリカ", {"なんぶあふりか"}},
        {"オセアニア州", {"おせあにあしゅう"}},
        {"中国語", {"ちゅうごくご"}},
        {"南アフリカ手話", {"みなみあふりかしゅわ"}},
        {"クック諸島マオリ語", {"くっくしょとうまおりご"}},
    };
    for (const ReadingCase& c : cases)
        EXPECT_EQ(Facts::Readings(c.szText), c.readings) << c.szText;
}

} // namespace
