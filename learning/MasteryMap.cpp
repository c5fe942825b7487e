#include "learning/MasteryMap.h"

#include "facts/FactsTable.h"
#include "learning/ResultsSummary.h"
#include "learning/ReviewSchedule.h"
#include "platform/Cp932.h"
#include "platform/File.h"
#include "platform/LocalTime.h"
#include "quiz/QuestionRecord.h"

#include <algorithm>
#include <unordered_set>

namespace {

std::string_view TrimRight(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.remove_suffix(1);
    return text;
}

bool EndsWith(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

} // namespace

const char* StudyKindName(StudyKind kind)
{
    static constexpr const char* kNames[kStudyKinds] = {"国名", "首都", "地域",  "公用語",
                                                        "国旗", "位置", "その他"};
    return kNames[static_cast<int>(kind)];
}

StudyKind KindOfQuestionText(std::string_view q)
{
    const std::string_view text = TrimRight(q);
    if ((EndsWith(text, "はどこ？") || EndsWith(text, "はどこ?")) &&
        text.find("首都") == std::string_view::npos)
        return StudyKind::Position;
    switch (KindOfQuestion(q)) {
    case kKindCountry:
        return StudyKind::Country;
    case kKindCapital:
        return StudyKind::Capital;
    case kKindRegion:
        return StudyKind::Region;
    case kKindLanguage:
        return StudyKind::Language;
    case kKindFlag:
        return StudyKind::Flag;
    default:
        return StudyKind::Other;
    }
}

StudyKind KindOfRecord(const QuestionRecord& rec)
{
    if (PositionCodes(rec))
        return StudyKind::Position;
    if (FlagChoiceCodes(rec))
        return StudyKind::Flag;
    const StudyKind kind = KindOfQuestionText(Cp932::ToUtf8(TrimRight(rec.strQuizQuestion)));
    // A text question that reads like a position question asks for a name.
    return kind == StudyKind::Position ? StudyKind::Country : kind;
}

std::string QuestionsAbout(std::string_view questionFile, const std::vector<std::string>& codes,
                           std::optional<StudyKind> kind)
{
    std::string out;
    const std::int64_t nRecords = RecordCount(questionFile.size());
    for (std::int64_t i = 0; i < nRecords; ++i) {
        const std::string_view bytes = questionFile.substr(RecordOffset(i), kRecordSize);
        const std::string_view code = bytes.substr(0, kCodeSize);
        if (std::find(codes.begin(), codes.end(), code) == codes.end())
            continue;
        if (!kind || KindOfRecord(SplitRecord(bytes)) == *kind)
            out += bytes;
    }
    return out;
}

RecordKinds RecordKinds::ReadForRows(const std::vector<HistoryRow>& rows)
{
    // Larger than any question file a learner keeps: not worth the wait.
    constexpr std::uint64_t kMaxBytes = 64 * 1024 * 1024;
    RecordKinds kinds;
    std::unordered_set<std::string_view> seen;
    for (const HistoryRow& row : rows) {
        if (!seen.insert(row.strFile).second)
            continue;
        const std::optional<std::string> name = Cp932::FromUtf8(row.strFile);
        const std::optional<std::filesystem::path> path =
            name ? PathInCurrentDir(*name) : std::nullopt;
        File file;
        std::string bytes;
        if (path && file.Open(*path, File::modeRead) && file.GetLength() <= kMaxBytes &&
            file.Read(bytes, file.GetLength()))
            kinds.AddFile(std::string(row.strFile), bytes);
    }
    return kinds;
}

void RecordKinds::AddFile(const std::string& fileUtf8, std::string_view bytes)
{
    m_pLastFile = nullptr;
    std::vector<Record>& records = m_files[fileUtf8];
    records.clear();
    const std::int64_t nRecords = RecordCount(bytes.size());
    records.reserve(static_cast<std::size_t>(nRecords));
    for (std::int64_t i = 0; i < nRecords; ++i) {
        const QuestionRecord rec = SplitRecord(bytes.substr(RecordOffset(i), kRecordSize));
        records.push_back({Cp932::ToUtf8(rec.strCode),
                           Cp932::ToUtf8(TrimRight(rec.strQuizQuestion)), KindOfRecord(rec)});
    }
}

StudyKind RecordKinds::KindOf(const HistoryRow& row) const
{
    // Rows come in runs from one file: the last file found is asked first.
    if (m_pLastFile == nullptr || row.strFile != m_strLastFile) {
        const auto it = m_files.find(std::string(row.strFile));
        m_strLastFile = row.strFile;
        m_pLastFile = it == m_files.end() ? &m_noRecords : &it->second;
    }
    {
        const std::vector<Record>& records = *m_pLastFile;
        const std::size_t n = static_cast<std::size_t>(row.nRecord - 1);
        if (row.nRecord >= 1 && n < records.size()) {
            const Record& r = records[n];
            if (r.strCode == row.strCode && r.strQuestion == row.strQuestion)
                return r.kind;
        }
    }
    return KindOfQuestionText(row.strQuestion);
}

const char* MasteryName(Mastery state)
{
    static constexpr const char* kNames[kMasteryStates] = {"未出題", "要復習", "学習中", "習得"};
    return kNames[static_cast<int>(state)];
}

std::uint32_t MasteryRgb(Mastery state)
{
    static constexpr std::uint32_t kColors[kMasteryStates] = {0xdcdcd8, 0xd55e00, 0x56b4e9,
                                                              0x0072b2};
    return kColors[static_cast<int>(state)];
}

MasteryMap::MasteryMap(const std::vector<HistoryRow>& rows, const RecordKinds& kinds,
                       std::span<const Facts::Country> countries, std::int64_t nToday)
    : m_nToday(nToday), m_cards(countries.size())
{
    // Codes are three lower-case letters: a direct table.
    auto slot = [](std::string_view code) -> int {
        if (code.size() != 3)
            return -1;
        int n = 0;
        for (char c : code) {
            if (c < 'a' || c > 'z')
                return -1;
            n = n * 26 + (c - 'a');
        }
        return n;
    };
    std::vector<int> index(26 * 26 * 26, -1);
    for (std::size_t i = 0; i < countries.size(); ++i)
        if (const int n = slot(countries[i].code); n >= 0)
            index[std::size_t(n)] = int(i);
    for (std::size_t nRow = 0; nRow < rows.size(); ++nRow) {
        const HistoryRow& row = rows[nRow];
        const int nSlot = slot(row.strCode);
        const int nCountry = nSlot < 0 ? -1 : index[std::size_t(nSlot)];
        if (nCountry < 0)
            continue;
        const std::optional<LocalTime> when = ParseLocalTime(row.strTime);
        if (!when)
            continue;
        Card& card = m_cards[std::size_t(nCountry)][static_cast<std::size_t>(kinds.KindOf(row))];
        const bool bRight = row.result == AnswerResult::Correct;
        // The review schedule's boxes: right moves one up, wrong or out of time back to 1.
        card.nBox = bRight ? std::min(card.nBox + 1, ReviewSchedule::kTopBox) : 1;
        if (bRight && card.nRun++ == 0)
            card.nRunFirstDay = when->nDay;
        if (!bRight)
            card.nRun = 0;
        card.nLastDay = when->nDay;
        card.bLastRight = bRight;
        card.nLastRow = static_cast<int>(nRow);
    }
}

Mastery MasteryMap::StateOf(const Card& card) const
{
    if (card.nLastRow < 0)
        return Mastery::Unasked;
    if (!card.bLastRight || m_nToday - card.nLastDay >= ReviewSchedule::DueAfterDays(card.nBox))
        return Mastery::Review;
    if (card.nRun >= kMasteredRun && card.nLastDay - card.nRunFirstDay >= kMasteredDays)
        return Mastery::Mastered;
    return Mastery::Learning;
}

std::vector<CountryMastery> MasteryMap::States(std::optional<StudyKind> kind) const
{
    std::vector<CountryMastery> out(m_cards.size());
    for (std::size_t i = 0; i < m_cards.size(); ++i) {
        int nAsked = 0, nMastered = 0;
        bool bReview = false;
        for (int k = 0; k < kStudyKinds; ++k) {
            if (kind && static_cast<int>(*kind) != k)
                continue;
            const Card& card = m_cards[i][static_cast<std::size_t>(k)];
            const Mastery state = StateOf(card);
            if (state == Mastery::Unasked)
                continue;
            ++nAsked;
            nMastered += state == Mastery::Mastered;
            bReview |= state == Mastery::Review;
            out[i].nLastRow = std::max(out[i].nLastRow, card.nLastRow);
        }
        out[i].state = nAsked == 0           ? Mastery::Unasked
                       : bReview             ? Mastery::Review
                       : nMastered == nAsked ? Mastery::Mastered
                                             : Mastery::Learning;
    }
    return out;
}

std::array<int, kMasteryStates> MasteryMap::Count(const std::vector<CountryMastery>& states)
{
    std::array<int, kMasteryStates> counts{};
    for (const CountryMastery& c : states)
        ++counts[static_cast<std::size_t>(c.state)];
    return counts;
}
