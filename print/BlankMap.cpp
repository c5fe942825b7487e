#include "print/BlankMap.h"

#include "facts/Facts.h"
#include "map/MapLabel.h"
#include "map/WorldMap.h"
#include "print/MapNumbering.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace {

constexpr float kStripW = 9;
// Room to write a long name by hand in a cell; the key prints them at 9 pt.
constexpr float kCellW = 62, kCellH = 8.5f, kKeyH = 6;
constexpr int kBands = 7;

float Area(const MapRect& rc)
{
    return rc.Width() * rc.Height();
}

bool Inside(const MapRect& rc, MapPoint p)
{
    return p.x >= rc.left && p.x <= rc.right && p.y >= rc.top && p.y <= rc.bottom;
}

// A point of the country inside the frame, nearest its own label point.
MapPoint PointInside(const WorldMap& map, const MapCountry& country, const MapRect& frame)
{
    if (Inside(frame, country.ptLabel))
        return country.ptLabel;
    MapPoint best = frame.Centre();
    float fBest = -1;
    constexpr int kSteps = 60;
    for (int i = 1; i < kSteps; ++i)
        for (int j = 1; j < kSteps; ++j) {
            const MapPoint p{frame.left + frame.Width() * float(i) / kSteps,
                             frame.top + frame.Height() * float(j) / kSteps};
            if (map.CountryAt(p) != &country)
                continue;
            const float d = std::hypot(p.x - country.ptLabel.x, p.y - country.ptLabel.y);
            if (fBest < 0 || d < fBest) {
                fBest = d;
                best = p;
            }
        }
    return best;
}

// Numbered cells from y down to fBottom, columns filled top to bottom: blanks to write in, or
// with the key the names. Returns how many of the entries went on the page.
std::size_t AddTable(PrintPage& page, float y, float fBottom,
                     std::span<const BlankMapEntry> entries, bool bKey)
{
    const float fCellH = bKey ? kKeyH : kCellH;
    const float w = page.fWidth - 2 * kMargin;
    const std::size_t nColumns = std::size_t(std::max(1, int(w / kCellW)));
    const std::size_t nFit = nColumns * std::size_t(std::max(0, int((fBottom - y) / fCellH)));
    const std::size_t nCount = std::min(nFit, entries.size());
    const std::size_t nRows = (nCount + nColumns - 1) / nColumns;
    const float cw = w / float(nColumns);
    for (std::size_t i = 0; i < nCount; ++i) {
        const float x = kMargin + float(i / nRows) * cw;
        const float ry = y + float(i % nRows) * fCellH;
        page.texts.push_back({{x, ry + (fCellH - 5) / 2, 8, 5},
                              std::to_string(entries[i].nNumber),
                              9,
                              TextAlign::Right,
                              true});
        if (bKey)
            page.texts.push_back(
                {{x + 10, ry + (fCellH - 5) / 2, cw - 12, 5}, entries[i].strName, 9});
        else
            page.boxes.push_back({x + 10, ry + 0.5f, cw - 12, fCellH - 1});
    }
    return nCount;
}

// The whole table below y on the map's page when it all fits there (pShared), else on pages
// of its own.
void AddTablePages(PrintDocument& doc, PrintPage* pShared, float y, const PaperSize& size,
                   const BlankMapPlan& plan, const std::string& strTitle, const std::string& strSub,
                   bool bKey)
{
    const float fBottom = size.fHeight - kMargin - 2;
    std::span<const BlankMapEntry> rest(plan.entries);
    if (pShared) {
        PrintPage probe = *pShared;
        const bool bFits = AddTable(probe, y, fBottom, rest, bKey) == rest.size();
        doc.pages.push_back(bFits ? std::move(probe) : std::move(*pShared));
        if (bFits)
            return;
    }
    for (bool bFirst = true; !rest.empty(); bFirst = false) {
        PrintPage page{size.fWidth, size.fHeight, {}, {}, {}, {}, {}};
        y = AddHeading(page, bFirst ? strTitle : strTitle + "（つづき）", strSub, !bKey);
        rest = rest.subspan(AddTable(page, y, fBottom, rest, bKey));
        doc.pages.push_back(std::move(page));
    }
}

// The frame grown to a box's proportions about its centre, so the land shown is all it holds.
MapRect Proportioned(const MapRect& frame, float fAspect)
{
    const MapPoint c = frame.Centre();
    const float fw = std::max(frame.Width(), frame.Height() * fAspect);
    const float fh = fw / fAspect;
    return {c.x - fw / 2, c.y - fh / 2, c.x + fw / 2, c.y + fh / 2};
}

// A part of the world map shown again larger, by degrees.
struct Inset
{
    const char* szCaption;
    double west, east, south, north;
};
constexpr Inset kInsets[] = {{"ヨーロッパ（拡大）", -11, 34, 34, 60},
                             {"中央アメリカとカリブ海（拡大）", -93, -59, 7, 27}};

MapRect ProjectedBox(const WorldMap& map, const Inset& inset)
{
    MapRect box = MapRect::Empty();
    for (const double lon : {inset.west, inset.east})
        for (double lat = inset.south; lat <= inset.north; lat += 1) {
            double fromCentre = std::fmod(lon - map.CentralMeridian() + 540.0, 360.0) - 180.0;
            const MapPoint p = ProjectRobinson(fromCentre, lat);
            box.Unite({p.x, p.y, p.x, p.y});
        }
    return box;
}

} // namespace

std::string AreaName(int nContinent)
{
    if (nContinent < 0 || nContinent >= int(Facts::kContinents.size()))
        return "世界";
    return std::string(Facts::kContinents[std::size_t(nContinent)]) + "州";
}

BlankMapPlan PlanBlankMap(const WorldMap& map, int nContinent)
{
    BlankMapPlan plan;
    std::vector<const MapCountry*> countries;
    for (const MapCountry& country : map.Countries()) {
        const MapLabel label = MapLabelFor(country.strCode);
        if (!country.strCode.empty() && label.nContinent >= 0 &&
            (nContinent < 0 || label.nContinent == nContinent))
            countries.push_back(&country);
    }
    if (countries.empty())
        return plan;
    if (nContinent < 0) {
        // From Greenland's north to Cape Horn: the icy rest holds no country.
        plan.frame = WorldMap::WorldBounds();
        plan.frame.top = ProjectRobinson(0, 84).y;
        plan.frame.bottom = ProjectRobinson(0, -57).y;
    } else {
        std::vector<MapRect> bounds;
        for (const MapCountry* pCountry : countries)
            bounds.push_back(map.FocusBounds(*pCountry));
        const auto largest = std::max_element(bounds.begin(), bounds.end(),
                                              [](auto& a, auto& b) { return Area(a) < Area(b); });
        MapRect rest = MapRect::Empty();
        for (auto it = bounds.begin(); it != bounds.end(); ++it)
            if (it != largest)
                rest.Unite(*it);
        plan.frame = rest;
        plan.frame.Unite(*largest);
        if (bounds.size() > 1 && Area(plan.frame) > 1.8f * Area(rest))
            plan.frame = rest;
        const float fPad = std::max(plan.frame.Width(), plan.frame.Height()) * 0.04f;
        plan.frame = {plan.frame.left - fPad, plan.frame.top - fPad, plan.frame.right + fPad,
                      plan.frame.bottom + fPad};
    }
    for (const MapCountry* pCountry : countries)
        plan.entries.push_back({0, pCountry->strCode, MapLabelFor(pCountry->strCode).strName,
                                PointInside(map, *pCountry, plan.frame),
                                WorldMap::HasMarker(*pCountry)});
    const float fBand = plan.frame.Height() / kBands;
    std::stable_sort(plan.entries.begin(), plan.entries.end(), [&](auto& a, auto& b) {
        const int na = int((a.pt.y - plan.frame.top) / fBand);
        const int nb = int((b.pt.y - plan.frame.top) / fBand);
        return na != nb ? na < nb : a.pt.x < b.pt.x;
    });
    for (std::size_t i = 0; i < plan.entries.size(); ++i)
        plan.entries[i].nNumber = int(i) + 1;
    return plan;
}

PrintDocument MakeBlankMap(const WorldMap& map, int nContinent, const PrintOptions& options)
{
    PrintDocument doc;
    const std::string strArea = AreaName(nContinent);
    doc.strTitle = "白地図 " + strArea;
    const BlankMapPlan plan = PlanBlankMap(map, nContinent);
    const bool bLandscape = plan.frame.Width() > 1.25f * plan.frame.Height();
    const PaperSize size = SizeOf(options.paper, bLandscape);
    PrintPage page{size.fWidth, size.fHeight, {}, {}, {}, {}, {}};
    const std::string strSub = std::to_string(plan.entries.size()) + "か国";
    const float y = AddHeading(page, "白地図　" + strArea, strSub, true);
    const float fBottom = size.fHeight - kMargin - 2;

    PrintMap printed;
    printed.nContinent = nContinent;
    const float w = size.fWidth - 2 * kMargin - kStripW - 1;
    const float h = std::min(fBottom - y, w * plan.frame.Height() / plan.frame.Width());
    printed.rc = {kMargin, y, w, h};
    printed.frame = Proportioned(plan.frame, w / h);

    // The world's crowded corners again, larger, below it: their numbers go there.
    std::vector<PrintMap> insets;
    if (nContinent < 0)
        for (const Inset& inset : kInsets) {
            PrintMap part;
            part.nContinent = -1;
            part.frame = ProjectedBox(map, inset);
            const float fTop = y + h + 8;
            const float fH = fBottom - fTop;
            const float fW = fH * part.frame.Width() / part.frame.Height();
            const float fLeft = insets.empty() ? kMargin : insets.back().rc.Right() + 8;
            if (fH < 30 || fLeft + fW > size.fWidth - kMargin)
                break;
            part.rc = {fLeft, fTop, fW, fH};
            page.texts.push_back({{fLeft, fTop - 5.5f, fW, 5}, inset.szCaption, 8.5f});
            printed.outlines.push_back(part.frame);
            insets.push_back(std::move(part));
        }

    // The large first, so each gets its own place; small states after.
    std::vector<const BlankMapEntry*> order;
    for (const BlankMapEntry& entry : plan.entries)
        order.push_back(&entry);
    std::stable_sort(order.begin(), order.end(), [&](auto* a, auto* b) {
        if (a->bSmall != b->bSmall)
            return !a->bSmall;
        return map.Find(a->strCode)->fArea > map.Find(b->strCode)->fArea;
    });
    std::vector<MapTarget> targets;
    std::vector<std::vector<MapTarget>> insetTargets(insets.size());
    for (const BlankMapEntry* pEntry : order) {
        const MapTarget target{pEntry->nNumber, pEntry->pt, pEntry->bSmall};
        const auto in = std::find_if(insets.begin(), insets.end(), [&](const PrintMap& part) {
            return Inside(part.frame, pEntry->pt);
        });
        (in == insets.end() ? targets : insetTargets[std::size_t(in - insets.begin())])
            .push_back(target);
    }
    const PrintRect strip{printed.rc.Right() + 1, y, kStripW, h};
    printed.numbers =
        PlaceMapNumbers(targets, MapPlacement::Fit(printed.frame, printed.rc), printed.rc, &strip);
    page.maps.push_back(std::move(printed));
    for (std::size_t i = 0; i < insets.size(); ++i) {
        insets[i].numbers = PlaceMapNumbers(
            insetTargets[i], MapPlacement::Fit(insets[i].frame, insets[i].rc), insets[i].rc);
        page.maps.push_back(std::move(insets[i]));
    }

    AddTablePages(doc, &page, y + h + 5, size, plan, "白地図　" + strArea + "（答えを書く表）",
                  strSub, false);
    if (options.bAnswerKey)
        AddTablePages(doc, nullptr, 0, size, plan, "解答　白地図　" + strArea, strSub, true);
    AddPageNumbers(doc);
    return doc;
}
