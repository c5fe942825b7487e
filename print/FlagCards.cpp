#include "print/FlagCards.h"

#include "facts/Facts.h"
#include "quiz/QuestionRecord.h"

#include <algorithm>
#include <set>

namespace {

constexpr int kPerPage = 8;
constexpr float kCardH = 55;

std::string ReadingOf(const Facts::Country& country, std::string_view text)
{
    for (const Facts::Reading& reading : country.readings)
        if (reading.text == text && !reading.kana.empty())
            return std::string(reading.kana.front());
    return {};
}

PrintRect Mirrored(const PrintRect& rc, float fPageWidth)
{
    return {fPageWidth - rc.x - rc.w, rc.y, rc.w, rc.h};
}

void AddCuttingLines(PrintPage& page, Paper paper, int nCards)
{
    const int nRows = (nCards + 1) / 2;
    const PrintRect first = CardRect(0, paper);
    const float x0 = first.x, x1 = first.x + first.w, x2 = first.x + 2 * first.w;
    for (int r = 0; r <= nRows; ++r) {
        const float y = first.y + float(r) * first.h;
        page.lines.push_back({x0, y, x2, y, true});
    }
    const float yEnd = first.y + float(nRows) * first.h;
    for (const float x : {x0, x1, x2})
        page.lines.push_back({x, first.y, x, yEnd, true});
}

void AddBack(PrintPage& page, const PrintRect& rc, const CardFacts& card, int nNumber)
{
    const float x = rc.x + 5, w = rc.w - 10;
    page.texts.push_back({{x, rc.y + 3, w, 8}, card.strName, 15, TextAlign::Centre, true});
    float y = rc.y + 11;
    if (!card.strNameReading.empty())
        page.texts.push_back({{x, y, w, 4.5f}, card.strNameReading, 8, TextAlign::Centre});
    y = rc.y + 16;
    const std::pair<const char*, const std::string*> rows[] = {{"首都", &card.strCapital},
                                                               {"州", &card.strContinent},
                                                               {"地域", &card.strRegion},
                                                               {"公用語", &card.strLanguages}};
    for (const auto& [szLabel, pText] : rows) {
        const bool bLast = pText == &card.strLanguages;
        const float h = bLast ? rc.Bottom() - 5 - y : 6.0f;
        page.texts.push_back({{x, y, 15, 6}, szLabel, 8.5f, TextAlign::Left, true});
        // A paragraph starts at its top: brought down to stand level with its label.
        page.texts.push_back(
            {{x + 15, bLast ? y + 0.8f : y, w - 15, bLast ? h - 0.8f : h}, *pText, 9.5f});
        y += h;
    }
    page.texts.push_back({{rc.x + 2, rc.Bottom() - 5, 12, 4}, "No." + std::to_string(nNumber), 6});
}

} // namespace

std::vector<CardFacts> CardsFor(const std::vector<std::string>& codes)
{
    std::vector<CardFacts> cards;
    std::set<std::string> seen;
    for (const std::string& code : codes) {
        const Facts::Country* pCountry = Facts::FindCountry(code);
        if (!pCountry || !seen.insert(code).second)
            continue;
        CardFacts card;
        card.strCode = code;
        if (!pCountry->names.empty()) {
            card.strName = pCountry->names.front();
            card.strNameReading = ReadingOf(*pCountry, card.strName);
        }
        if (!pCountry->capitals.empty()) {
            card.strCapital = pCountry->capitals.front();
            if (const std::string strReading = ReadingOf(*pCountry, card.strCapital);
                !strReading.empty())
                card.strCapital += "（" + strReading + "）";
        }
        card.strContinent = std::string(pCountry->continent) + "州";
        card.strRegion = pCountry->region;
        for (const Facts::Language& language : pCountry->languages) {
            if (language.names.empty())
                continue;
            if (!card.strLanguages.empty())
                card.strLanguages += Facts::kLanguageSeparator;
            card.strLanguages += language.names.front();
        }
        cards.push_back(std::move(card));
    }
    return cards;
}

std::vector<std::string> CodesOf(std::string_view fileBytes)
{
    std::vector<std::string> codes;
    std::set<std::string> seen;
    for (std::size_t at = 0; at + kRecordSize <= fileBytes.size(); at += kRecordSize) {
        const std::string code(fileBytes.substr(at, kCodeSize));
        if (seen.insert(code).second)
            codes.push_back(code);
    }
    return codes;
}

PrintRect CardRect(int nIndex, Paper paper)
{
    const PaperSize size = SizeOf(paper);
    const float w = std::min(91.0f, (size.fWidth - 2 * kMargin) / 2);
    const float x0 = (size.fWidth - 2 * w) / 2;
    const float y0 = (size.fHeight - 4 * kCardH) / 2;
    return {x0 + float(nIndex % 2) * w, y0 + float(nIndex / 2) * kCardH, w, kCardH};
}

PrintDocument MakeFlagCards(const std::vector<CardFacts>& cards, const PrintOptions& options)
{
    PrintDocument doc;
    doc.strTitle = "国旗カード " + options.strSource;
    const PaperSize size = SizeOf(options.paper);
    for (std::size_t first = 0; first < cards.size(); first += kPerPage) {
        const int nCards = int(std::min<std::size_t>(kPerPage, cards.size() - first));
        PrintPage front{size.fWidth, size.fHeight, {}, {}, {}, {}, {}};
        PrintPage back = front;
        for (int i = 0; i < nCards; ++i) {
            const CardFacts& card = cards[first + std::size_t(i)];
            const int nNumber = int(first) + i + 1;
            const PrintRect rc = CardRect(i, options.paper);
            front.flags.push_back({{rc.x + 8, rc.y + 6, rc.w - 16, rc.h - 14}, card.strCode});
            front.texts.push_back({{rc.Right() - 14, rc.Bottom() - 5, 12, 4},
                                   "No." + std::to_string(nNumber),
                                   6,
                                   TextAlign::Right});
            AddBack(back, Mirrored(rc, size.fWidth), card, nNumber);
        }
        AddCuttingLines(front, options.paper, nCards);
        AddCuttingLines(back, options.paper, nCards);
        // The back's lines mirrored too: with an odd last card its half-row is on the other side.
        for (PrintLine& line : back.lines) {
            line.x1 = size.fWidth - line.x1;
            line.x2 = size.fWidth - line.x2;
        }
        doc.pages.push_back(std::move(front));
        doc.pages.push_back(std::move(back));
    }
    return doc;
}
