#include "map/PositionFrame.h"
#include "facts/Facts.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// The map view of the main window's answer area at its default size, in logical pixels.
constexpr double kViewWidth = 499, kViewHeight = 143;

const WorldMap& Committed()
{
    static const WorldMap map = [] {
        const std::string bytes = ReadFileBytes(MARELTO_SOURCE_DIR "/res/map/world.map");
        auto decoded =
            WorldMap::Decode({reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()});
        EXPECT_TRUE(decoded);
        return decoded ? std::move(*decoded) : WorldMap();
    }();
    return map;
}

// The asked country and the three catalogue countries whose labels lie nearest it.
std::array<std::string, 4> Candidates(const MapCountry& asked)
{
    std::vector<const MapCountry*> others;
    for (const MapCountry& c : Committed().Countries())
        if (!c.strCode.empty() && &c != &asked)
            others.push_back(&c);
    const auto d = [&](const MapCountry* c) {
        return std::hypot(c->ptLabel.x - asked.ptLabel.x, c->ptLabel.y - asked.ptLabel.y);
    };
    std::partial_sort(others.begin(), others.begin() + 3, others.end(),
                      [&](auto* a, auto* b) { return d(a) < d(b); });
    return {others[0]->strCode, asked.strCode, others[1]->strCode, others[2]->strCode};
}

bool Inside(const MapRect& rc, MapPoint p)
{
    return p.x >= rc.left && p.x <= rc.right && p.y >= rc.top && p.y <= rc.bottom;
}

} // namespace

// Every country asked among its nearest neighbours: each candidate is hit at its own number,
// shows in the view, and is the floor's width across or has a ring.
TEST(PositionFrameTest, EveryCountryIsAChoiceHitAtItsNumber)
{
    for (const Facts::Country& entry : Facts::Countries()) {
        const MapCountry* pAsked = Committed().Find(entry.code);
        ASSERT_NE(pAsked, nullptr) << entry.code;
        const auto frame = FrameChoice(Committed(), Candidates(*pAsked), kViewWidth, kViewHeight);
        ASSERT_TRUE(frame) << entry.code;
        EXPECT_NEAR(frame->rcView.Width() * frame->dScale, kViewWidth, 0.5) << entry.code;
        for (int i = 0; i < 4; ++i) {
            const PositionCandidate& c = frame->candidates[std::size_t(i)];
            EXPECT_EQ(CandidateAt(Committed(), *frame, c.ptNumber), i)
                << entry.code << " candidate " << c.pCountry->strCode;
            EXPECT_TRUE(Inside(frame->rcView, c.ptNumber)) << entry.code;
            EXPECT_TRUE(c.bRing ||
                        ScreenSize(Committed(), *c.pCountry, frame->dScale) >= kCandidateFloorPx)
                << c.pCountry->strCode;
        }
    }
}

// Every country pointed at in its region's view: its label point is inside the view and judged
// right, naming it.
TEST(PositionFrameTest, EveryCountryIsFoundAtItsLabelInItsRegion)
{
    for (const Facts::Country& entry : Facts::Countries()) {
        const MapCountry* pAsked = Committed().Find(entry.code);
        ASSERT_NE(pAsked, nullptr) << entry.code;
        const auto frame = FramePointing(Committed(), entry.code, kViewWidth, kViewHeight);
        ASSERT_TRUE(frame) << entry.code;
        const MapPoint at = InteriorPoint(Committed(), *pAsked);
        EXPECT_TRUE(Inside(frame->rcView, at)) << entry.code;
        const PointingJudgement j = JudgePointing(Committed(), entry.code, at, frame->dScale);
        EXPECT_TRUE(j.bRight) << entry.code;
        EXPECT_EQ(j.pClicked, pAsked) << entry.code;
    }
}

TEST(PositionFrameTest, PointingNamesWhatWasClickedAndTheSeaIsWrong)
{
    const auto frame = FramePointing(Committed(), "tcd", kViewWidth, kViewHeight);
    ASSERT_TRUE(frame);
    const MapCountry* pNiger = Committed().Find("ner");
    PointingJudgement j =
        JudgePointing(Committed(), "tcd", InteriorPoint(Committed(), *pNiger), frame->dScale);
    EXPECT_FALSE(j.bRight);
    EXPECT_EQ(j.pClicked, pNiger);

    // The Gulf of Guinea, far from any small state.
    const double central = Committed().CentralMeridian();
    j = JudgePointing(Committed(), "tcd",
                      ProjectRobinson(std::remainder(-25.0 - central, 360.0), -5), frame->dScale);
    EXPECT_FALSE(j.bRight);
    EXPECT_EQ(j.pClicked, nullptr);

    // Just outside Chad's outline, within the tolerance, still counts: a point on the line from
    // Niger's label to Chad's, at the first step that is in Chad, moved back a pixel.
    const MapCountry* pChad = Committed().Find("tcd");
    MapPoint p = InteriorPoint(Committed(), *pNiger);
    const double step = 0.5 / frame->dScale;
    const MapPoint chad = InteriorPoint(Committed(), *pChad);
    const double dx = chad.x - p.x, dy = chad.y - p.y;
    const double len = std::hypot(dx, dy);
    MapPoint prev = p;
    while (Committed().CountryAt(p) != pChad) {
        prev = p;
        p = {float(p.x + dx / len * step), float(p.y + dy / len * step)};
    }
    const MapPoint nearBorder = {float(prev.x - dx / len * 2 * step),
                                 float(prev.y - dy / len * 2 * step)};
    j = JudgePointing(Committed(), "tcd", nearBorder, frame->dScale);
    EXPECT_TRUE(j.bRight);
    EXPECT_EQ(j.pClicked, pNiger);
}

// Chad's arrows: Niger to the west, Sudan to the east, Libya to the north.
TEST(PositionFrameTest, ArrowsMoveToTheNeighbourThatWay)
{
    const MapPoint chad = Committed().Find("tcd")->ptLabel;
    const MapRect world = WorldMap::WorldBounds();
    const auto toward = [&](double dx, double dy) {
        const MapCountry* p = CountryToward(Committed(), chad, dx, dy, world);
        return p ? p->strCode : std::string();
    };
    EXPECT_EQ(toward(-1, 0), "ner");
    EXPECT_EQ(toward(1, 0), "sdn");
    EXPECT_EQ(toward(0, -1), "lby");
    EXPECT_EQ(toward(0, 0), "tcd");
}
