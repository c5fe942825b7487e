#include "facts/FactsTable.h"

#include "facts/Kana.h"
#include "platform/Tsv.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <span>

namespace Facts {
namespace {

constexpr std::size_t kMaxReadings = 16;
constexpr std::array<std::string_view, 6> kRequiredColumns = {"code",   "name",      "capital",
                                                              "region", "continent", "languages"};

// The parts between separators; empty parts are dropped, as the question generator does.
std::vector<std::string_view> Split(std::string_view text, std::string_view separator)
{
    std::vector<std::string_view> parts;
    while (!text.empty()) {
        const std::size_t n = text.find(separator);
        if (n != 0)
            parts.push_back(text.substr(0, n));
        if (n == std::string_view::npos)
            break;
        text.remove_prefix(n + separator.size());
    }
    return parts;
}

struct Row
{
    int nLine;
    std::vector<std::string_view> fields;
};

struct Columns
{
    std::map<std::string_view, std::size_t, std::less<>> columns;
    std::vector<Row> rows;

    std::string_view Get(const Row& row, std::string_view column) const
    {
        const auto it = columns.find(column);
        return it == columns.end() ? std::string_view() : row.fields[it->second];
    }
};

// "countries.tsv 3 行目: ", or "3 行目: " for a file without a name.
std::string At(std::string_view file, int nLine)
{
    return (file.empty() ? std::string() : std::string(file) + " ") + std::to_string(nLine) +
           " 行目: ";
}

// Blank lines and lines starting with # are skipped; the first other line is the header.
std::optional<Columns> ReadTsv(std::string_view text, std::string_view file,
                               std::span<const std::string_view> required, std::string& strError)
{
    Columns tsv;
    bool bHeader = true;
    Tsv::LineReader lines(text);
    for (std::string_view line; lines.Next(line);) {
        const int nLine = lines.Number();
        if (line.empty() || line.starts_with('#'))
            continue;
        std::vector<std::string_view> fields = Tsv::SplitFields(line);
        if (bHeader) {
            for (std::size_t i = 0; i < fields.size(); ++i)
                tsv.columns.emplace(fields[i], i);
            for (std::string_view column : required) {
                if (!tsv.columns.contains(column)) {
                    strError =
                        At(file, nLine) + "見出しに列「" + std::string(column) + "」がありません";
                    return std::nullopt;
                }
            }
            bHeader = false;
        } else if (fields.size() != tsv.columns.size()) {
            strError = At(file, nLine) + "列の数が見出しと違います";
            return std::nullopt;
        } else {
            tsv.rows.push_back({nLine, std::move(fields)});
        }
    }
    if (bHeader)
        strError =
            (file.empty() ? std::string() : std::string(file) + ": ") + "見出しの行がありません";
    return bHeader ? std::nullopt : std::optional<Columns>(std::move(tsv));
}

std::string Quoted(std::string_view text)
{
    return "「" + std::string(text) + "」";
}

// Words read kanji runs, so they hold nothing else.
bool AllKanji(std::string_view text)
{
    for (std::size_t nPos = 0; nPos < text.size();)
        if (!Kana::IsKanji(Kana::Next(text, nPos)))
            return false;
    return true;
}

// A reading is given for a text with kanji, in hiragana.
std::string CheckReading(const Reading& reading)
{
    if (!Kana::HasKanji(reading.text))
        return Quoted(reading.text) + "には漢字がないので、読みは要りません";
    if (reading.kana.empty() ||
        !std::all_of(reading.kana.begin(), reading.kana.end(), Kana::IsReading))
        return Quoted(reading.text) + "の読みはひらがなで書きます";
    return {};
}

// The "form:reading|reading" entries of one reading column for the forms of its field; with
// bRequired, every form with kanji needs one.
std::string AddReadings(std::string_view cell, const std::vector<std::string_view>& forms,
                        bool bRequired, std::vector<Reading>& readings)
{
    const std::size_t nFirst = readings.size();
    for (std::string_view entry : Split(cell, " ")) {
        const std::size_t nColon = entry.find(':');
        Reading reading{entry.substr(0, nColon), {}};
        if (nColon != std::string_view::npos)
            reading.kana = Split(entry.substr(nColon + 1), "|");
        if (std::find(forms.begin(), forms.end(), reading.text) == forms.end())
            return "読み" + Quoted(entry) + "の" + Quoted(reading.text) +
                   "は、読む欄の形にありません";
        if (std::string strError = CheckReading(reading); !strError.empty())
            return strError;
        if (std::any_of(readings.begin() + static_cast<std::ptrdiff_t>(nFirst), readings.end(),
                        [&](const Reading& r) { return r.text == reading.text; }))
            return Quoted(reading.text) + "の読みが二つあります";
        readings.push_back(std::move(reading));
    }
    for (std::string_view form : forms)
        if (bRequired && Kana::HasKanji(form) &&
            std::none_of(readings.begin() + static_cast<std::ptrdiff_t>(nFirst), readings.end(),
                         [&](const Reading& r) { return r.text == form; }))
            return Quoted(form) + "の読みがありません";
    return {};
}

std::string MakeCountry(const Columns& tsv, const Row& row, bool bReadingsRequired, Country& c)
{
    auto get = [&](std::string_view column) { return tsv.Get(row, column); };
    c.nLine = row.nLine;
    c.code = get("code");
    c.names = Split(get("name"), "=");
    c.capitals = Split(get("capital"), "=");
    c.region = get("region");
    c.regionAlso = Split(get("region_also"), " ");
    c.capitalAlso = Split(get("capital_also"), " ");
    c.languagesAlso = Split(get("languages_also"), " ");
    c.continent = get("continent");
    for (std::string_view item : Split(get("languages"), kLanguageSeparator))
        c.languages.push_back({Split(item, "=")});
    c.similarFlags = Split(get("similar_flags"), " ");
    c.note = get("note");
    c.noteJa = get("note_ja");
    if (c.code.empty() || c.names.empty() || c.capitals.empty() || c.region.empty() ||
        c.continent.empty())
        return "必須の欄が空です";
    if (c.languages.empty())
        return "公用語がありません";
    if (std::string strError =
            AddReadings(get("name_reading"), c.names, bReadingsRequired, c.readings);
        !strError.empty())
        return "name_reading: " + strError;
    if (std::string strError =
            AddReadings(get("capital_reading"), c.capitals, bReadingsRequired, c.readings);
        !strError.empty())
        return "capital_reading: " + strError;
    return {};
}

// The countries of countries.tsv into the table; false, with the first fault, when it has one.
bool ReadCountries(std::string_view text, std::string_view file, bool bReadingsRequired,
                   Table& table)
{
    const std::optional<Columns> tsv = ReadTsv(text, file, kRequiredColumns, table.strError);
    if (!tsv)
        return false;
    std::map<std::string_view, int> seen;
    for (const Row& row : tsv->rows) {
        Country c;
        std::string strError = MakeCountry(*tsv, row, bReadingsRequired, c);
        if (strError.empty() && seen.contains(c.code))
            strError = "国コード" + Quoted(c.code) + "は " + std::to_string(seen[c.code]) +
                       " 行目と重複しています";
        if (!strError.empty()) {
            table.strError = At(file, row.nLine) + strError;
            return false;
        }
        seen.emplace(c.code, row.nLine);
        table.countries.push_back(std::move(c));
    }
    return true;
}

// Every way to put a tail after a head, heads varying slowest, up to kMaxReadings.
std::vector<std::string> Combine(const std::vector<std::string>& heads,
                                 const std::vector<std::string>& tails)
{
    std::vector<std::string> out;
    for (const std::string& head : heads)
        for (const std::string& tail : tails)
            if (std::string text = head + tail;
                out.size() < kMaxReadings && std::find(out.begin(), out.end(), text) == out.end())
                out.push_back(std::move(text));
    return out;
}

// A run of kanji read as words one after another, trying the longest word first at each place.
// Places already found unreadable are not tried again, so a long run costs no more than its
// length times the words.
std::vector<std::string> ReadRun(std::string_view run, std::size_t nAt,
                                 const std::vector<Reading>& words, std::vector<bool>& unreadable)
{
    if (nAt == run.size())
        return {""};
    if (unreadable[nAt])
        return {};
    std::vector<const Reading*> starts;
    for (const Reading& word : words)
        if (run.substr(nAt).starts_with(word.text))
            starts.push_back(&word);
    std::stable_sort(starts.begin(), starts.end(), [](const Reading* a, const Reading* b) {
        return a->text.size() > b->text.size();
    });
    for (const Reading* word : starts) {
        std::vector<std::string> rest = ReadRun(run, nAt + word->text.size(), words, unreadable);
        if (!rest.empty())
            return Combine({word->kana.begin(), word->kana.end()}, rest);
    }
    unreadable[nAt] = true;
    return {};
}

} // namespace

Table Parse(std::string_view countriesTsv, std::string_view wordsTsv)
{
    Table table;
    constexpr std::array<std::string_view, 2> kWordColumns = {"word", "reading"};
    const std::optional<Columns> words =
        ReadTsv(wordsTsv, "words.tsv", kWordColumns, table.strError);
    if (!words)
        return table;
    for (const Row& row : words->rows) {
        Reading word{words->Get(row, "word"), Split(words->Get(row, "reading"), "|")};
        std::string strError = CheckReading(word);
        if (strError.empty() && !AllKanji(word.text))
            strError = Quoted(word.text) + "は漢字だけで書きます（かなの部分はそのまま読まれます）";
        if (strError.empty() && std::any_of(table.words.begin(), table.words.end(),
                                            [&](const Reading& w) { return w.text == word.text; }))
            strError = Quoted(word.text) + "が二度あります";
        if (!strError.empty()) {
            table.strError = At("words.tsv", row.nLine) + strError;
            return table;
        }
        table.words.push_back(std::move(word));
    }

    ReadCountries(countriesTsv, "countries.tsv", true, table);
    return table;
}

Table ParseCountries(std::string_view countriesTsv)
{
    Table table;
    ReadCountries(countriesTsv, {}, false, table);
    return table;
}

std::size_t ContinentIndex(std::string_view continent)
{
    return static_cast<std::size_t>(std::find(kContinents.begin(), kContinents.end(), continent) -
                                    kContinents.begin());
}

std::vector<std::string> ReadingsOf(const Table& table, std::string_view text)
{
    for (const Country& c : table.countries)
        for (const Reading& reading : c.readings)
            if (reading.text == text)
                return {reading.kana.begin(), reading.kana.end()};
    if (text.empty())
        return {};
    std::vector<std::string> readings = {""};
    for (std::size_t nPos = 0; nPos < text.size();) {
        const std::size_t nStart = nPos;
        const bool bKanji = Kana::IsKanji(Kana::Next(text, nPos));
        for (std::size_t nNext = nPos;
             nNext < text.size() && Kana::IsKanji(Kana::Next(text, nNext)) == bKanji;)
            nPos = nNext;
        const std::string_view part = text.substr(nStart, nPos - nStart);
        std::vector<bool> unreadable(part.size());
        readings = Combine(readings, bKanji ? ReadRun(part, 0, table.words, unreadable)
                                            : std::vector<std::string>{Kana::ToHiragana(part)});
        if (readings.empty())
            return {};
    }
    return readings;
}

} // namespace Facts
