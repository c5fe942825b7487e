#include "print/PrintDocument.h"

float AddHeading(PrintPage& page, const std::string& strTitle, const std::string& strSub,
                 bool bNameBlank)
{
    const float w = page.fWidth - 2 * kMargin;
    page.texts.push_back({{kMargin, kMargin, w * 0.6f, 8}, strTitle, 15, TextAlign::Left, true});
    if (!strSub.empty())
        page.texts.push_back({{kMargin, kMargin + 8, w * 0.6f, 5}, strSub, 8.5f});
    if (bNameBlank) {
        const float x = kMargin + w * 0.62f;
        page.texts.push_back({{x, kMargin + 5, 14, 6}, "名前", 10});
        page.boxes.push_back({x + 14, kMargin + 2, kMargin + w - x - 14, 9});
    }
    page.lines.push_back({kMargin, kMargin + 14, kMargin + w, kMargin + 14});
    return kMargin + 17;
}

void AddPageNumbers(PrintDocument& doc)
{
    const std::string strCount = std::to_string(doc.pages.size());
    for (std::size_t i = 0; i < doc.pages.size(); ++i) {
        PrintPage& page = doc.pages[i];
        page.texts.push_back({{kMargin, page.fHeight - kMargin + 3, page.fWidth - 2 * kMargin, 5},
                              std::to_string(i + 1) + " / " + strCount,
                              8,
                              TextAlign::Centre});
    }
}
