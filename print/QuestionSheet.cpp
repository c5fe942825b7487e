#include "print/QuestionSheet.h"

#include "facts/Facts.h"
#include "map/WorldMap.h"
#include "platform/Cp932.h"
#include "print/MapNumbering.h"
#include "quiz/FlagCatalog.h"
#include "quiz/QuestionRecord.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::array<std::string_view, 4> kCircled = {"①", "②", "③", "④"};
constexpr float kNumberWidth = 10;
constexpr float kFlagW = 36, kFlagH = 24;
constexpr float kQuestionPoints = 10.5f;
constexpr float kChoicePoints = 10;
constexpr float kLine = 5.2f; // one line of 10 pt text with its leading
constexpr float kGap = 5;
constexpr float kMapH = 42;

std::string Trimmed(std::string_view cp932)
{
    const std::size_t n = cp932.find_last_not_of(' ');
    return Cp932::ToUtf8(cp932.substr(0, n == std::string_view::npos ? 0 : n + 1));
}

std::string CountryName(const std::string& code)
{
    const Facts::Country* pCountry = Facts::FindCountry(code);
    return pCountry && !pCountry->names.empty() ? std::string(pCountry->names.front()) : code;
}

int LinesFor(std::string_view text, float fPoints, float fWidth)
{
    return std::max(1, int(std::ceil(TextEms(text) * EmMillimetres(fPoints) / fWidth)));
}

// Lays out one question from y; returns the height it takes.
float AddQuestion(PrintPage* pPage, float y, float x0, float fRight, int nNumber,
                  const SheetQuestion& q, const WorldMap* pMap)
{
    const bool bFlag = !q.strFlag.empty() && q.kind != SheetQuestion::Kind::Flags;
    const float tx = x0 + kNumberWidth + (bFlag ? kFlagW + 4 : 0);
    const float tw = fRight - tx;
    const float qh = float(std::min(3, LinesFor(q.strQuestion, kQuestionPoints, tw))) * kLine + 1;
    float h = 0;
    if (q.kind == SheetQuestion::Kind::Flags) {
        const float cw = tw / 4;
        h = qh + kFlagH + 2;
        if (pPage)
            for (std::size_t i = 0; i < 4; ++i) {
                const float cx = tx + float(i) * cw;
                pPage->texts.push_back(
                    {{cx, y + qh + kFlagH / 2 - 3, 6, 6}, std::string(kCircled[i]), 11});
                pPage->flags.push_back({{cx + 6, y + qh, cw - 9, kFlagH}, q.choices[i]});
            }
    } else if (q.kind == SheetQuestion::Kind::Position && pMap) {
        const PrintRect rc{tx, y + qh, std::min(tw, 120.0f), kMapH};
        h = qh + kMapH + 1;
        if (pPage) {
            PrintMap map;
            map.rc = rc;
            map.frame = FrameAround(*pMap, q.choices, rc.w / rc.h);
            const MapPlacement place = MapPlacement::Fit(map.frame, rc);
            std::vector<MapTarget> targets;
            for (std::size_t i = 0; i < 4; ++i)
                if (const MapCountry* pCountry = pMap->Find(q.choices[i]))
                    targets.push_back({int(i) + 1, pCountry->ptLabel, true});
            map.numbers = PlaceMapNumbers(targets, place, rc);
            pPage->maps.push_back(std::move(map));
        }
    } else {
        // Two answers to a line when the longest fits half the width, else one to a line.
        std::array<std::string, 4> texts;
        float fLongest = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            texts[i] = std::string(kCircled[i]) + " " +
                       (q.kind == SheetQuestion::Kind::Position ? CountryName(q.choices[i])
                                                                : q.choices[i]);
            fLongest = std::max(fLongest, TextEms(texts[i]) * EmMillimetres(kChoicePoints));
        }
        const bool bTwo = fLongest <= tw / 2 - 3;
        const float fRowH = fLongest <= (bTwo ? tw / 2 - 3 : tw) ? kLine + 1 : 2 * kLine + 1;
        h = qh + (bTwo ? 2 : 4) * fRowH;
        if (pPage)
            for (std::size_t i = 0; i < 4; ++i) {
                const float cx = bTwo ? tx + float(i % 2) * tw / 2 : tx;
                const float cy = y + qh + float(bTwo ? i / 2 : i) * fRowH;
                pPage->texts.push_back(
                    {{cx, cy, bTwo ? tw / 2 - 3 : tw, fRowH}, texts[i], kChoicePoints});
            }
    }
    h = std::max(h, bFlag ? kFlagH + 2 : 0);
    if (pPage) {
        pPage->texts.push_back(
            {{x0, y, kNumberWidth, 7}, std::to_string(nNumber), 12, TextAlign::Left, true});
        if (bFlag)
            pPage->flags.push_back({{x0 + kNumberWidth, y + 1, kFlagW, kFlagH}, q.strFlag});
        pPage->texts.push_back({{tx, y, tw, qh}, q.strQuestion, kQuestionPoints});
    }
    return h;
}

PrintPage NewPage(const PrintOptions& options)
{
    const PaperSize size = SizeOf(options.paper);
    return PrintPage{size.fWidth, size.fHeight, {}, {}, {}, {}, {}};
}

void AddKey(PrintDocument& doc, const std::vector<SheetQuestion>& questions,
            const PrintOptions& options)
{
    constexpr float kRowH = 5.6f;
    PrintPage page = NewPage(options);
    float y = AddHeading(page, "解答", options.strSource, false);
    const float fBottom = page.fHeight - kMargin - 2;
    const float cw = (page.fWidth - 2 * kMargin) / 2;
    const int nRows = int((fBottom - y) / kRowH);
    int nColumn = 0, nRow = 0;
    for (std::size_t i = 0; i < questions.size(); ++i) {
        if (nRow == nRows) {
            nRow = 0;
            if (++nColumn == 2) {
                doc.pages.push_back(std::move(page));
                page = NewPage(options);
                y = AddHeading(page, "解答（つづき）", options.strSource, false);
                nColumn = 0;
            }
        }
        const float x = kMargin + float(nColumn) * cw;
        const float ry = y + float(nRow) * kRowH;
        page.texts.push_back(
            {{x, ry, 10, kRowH}, std::to_string(i + 1), 9.5f, TextAlign::Right, true});
        page.texts.push_back({{x + 12, ry, cw - 14, kRowH}, KeyText(questions[i]), 9.5f});
        ++nRow;
    }
    doc.pages.push_back(std::move(page));
}

} // namespace

std::vector<SheetQuestion> SheetQuestions(std::string_view fileBytes)
{
    std::vector<SheetQuestion> questions;
    for (std::size_t at = 0; at + kRecordSize <= fileBytes.size(); at += kRecordSize) {
        const QuestionRecord record = SplitRecord(fileBytes.substr(at, kRecordSize));
        SheetQuestion q;
        q.strQuestion = Trimmed(record.strQuizQuestion);
        if (LookupFlagBitmap(record.strCode))
            q.strFlag = record.strCode;
        if (const auto codes = FlagChoiceCodes(record)) {
            q.kind = SheetQuestion::Kind::Flags;
            q.choices = *codes;
        } else if (const auto places = PositionCodes(record)) {
            q.kind = SheetQuestion::Kind::Position;
            q.choices = *places;
        } else {
            for (std::size_t i = 0; i < 4; ++i)
                q.choices[i] = Trimmed(record.answers[i]);
        }
        q.nCorrect = record.CorrectIndex().value_or(-1);
        questions.push_back(std::move(q));
    }
    return questions;
}

std::string KeyText(const SheetQuestion& q)
{
    if (q.nCorrect < 0)
        return "（正解の印なし）";
    const std::string& choice = q.choices[std::size_t(q.nCorrect)];
    return std::string(kCircled[std::size_t(q.nCorrect)]) + " " +
           (q.kind == SheetQuestion::Kind::Text ? choice : CountryName(choice));
}

PrintDocument MakeQuestionSheet(const std::vector<SheetQuestion>& questions,
                                const PrintOptions& options, const WorldMap* pMap)
{
    PrintDocument doc;
    doc.strTitle = "問題プリント " + options.strSource;
    PrintPage page = NewPage(options);
    const std::string strSub = options.strSource + "（" + std::to_string(questions.size()) + "問）";
    float y = AddHeading(page, "国旗 問題プリント", strSub, true);
    const float fRight = page.fWidth - kMargin;
    const float fBottom = page.fHeight - kMargin - 2;
    for (std::size_t i = 0; i < questions.size(); ++i) {
        const float h = AddQuestion(nullptr, y, kMargin, fRight, int(i) + 1, questions[i], pMap);
        if (y + h > fBottom) {
            doc.pages.push_back(std::move(page));
            page = NewPage(options);
            y = kMargin;
        }
        AddQuestion(&page, y, kMargin, fRight, int(i) + 1, questions[i], pMap);
        y += h + kGap;
        if (y - kGap / 2 < fBottom)
            page.lines.push_back({kMargin, y - kGap / 2, fRight, y - kGap / 2, false});
    }
    doc.pages.push_back(std::move(page));
    if (options.bAnswerKey && !questions.empty())
        AddKey(doc, questions, options);
    AddPageNumbers(doc);
    return doc;
}

MapRect FrameAround(const WorldMap& map, std::span<const std::string> codes, float fAspect)
{
    MapRect frame = MapRect::Empty();
    for (const std::string& code : codes)
        if (const MapCountry* pCountry = map.Find(code))
            frame.Unite(map.FocusBounds(*pCountry));
    if (frame.Width() <= 0)
        return WorldMap::WorldBounds();
    const MapPoint c = frame.Centre();
    // Some sea around, and never closer than about ten degrees across.
    float w = std::max(frame.Width() * 1.3f, 0.18f);
    float h = std::max(frame.Height() * 1.3f, 0.18f);
    if (w / h < fAspect)
        w = h * fAspect;
    else
        h = w / fAspect;
    return {c.x - w / 2, c.y - h / 2, c.x + w / 2, c.y + h / 2};
}
