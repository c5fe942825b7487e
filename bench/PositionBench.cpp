#include "map/CPositionMapView.h"
#include "map/PositionFrame.h"
#include "map/WorldMapData.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

// The map of the main window's answer area, at its default size.
constexpr int kWidth = 499, kHeight = 143;

const std::array<std::string, 4> kCandidates[] = {
    {"ner", "tcd", "sdn", "lby"},
    {"khm", "tha", "vnm", "lao"},
    {"svn", "svk", "hrv", "aut"},
    {"ita", "vat", "smr", "mlt"},
};

// Showing a position question once the map is loaded: framed, numbered and painted at 2x scale
// (target: under 5 ms); arg 1: the pointing mode's region.
void BM_ShowPositionQuestion(benchmark::State& state)
{
    CPositionMapView view;
    view.resize(kWidth, kHeight);
    QImage image(2 * kWidth, 2 * kHeight, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    const bool bPointing = state.range(0) != 0;
    for (const auto& codes : kCandidates) { // the map read and every level of detail built
        view.ShowQuestion(codes, codes[1], bPointing);
        QPainter painter(&image);
        view.Render(painter);
    }
    std::size_t n = 0;
    for (auto _ : state) {
        const auto& codes = kCandidates[n++ % std::size(kCandidates)];
        view.ShowQuestion(codes, codes[1], bPointing);
        QPainter painter(&image);
        view.Render(painter);
    }
}
BENCHMARK(BM_ShowPositionQuestion)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("pointing")
    ->Unit(benchmark::kMillisecond);

// Of that: framing four candidates alone, numbers placed and rings chosen.
void BM_FrameChoice(benchmark::State& state)
{
    const WorldMap& map = WorldMapData();
    std::size_t n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            FrameChoice(map, kCandidates[n++ % std::size(kCandidates)], kWidth, kHeight));
}
BENCHMARK(BM_FrameChoice)->Unit(benchmark::kMillisecond);

// Judging a click: on a candidate, and in the pointing mode on a neighbour near the asked
// country's outline (target: under 0.1 ms).
void BM_JudgeClick(benchmark::State& state)
{
    const WorldMap& map = WorldMapData();
    const auto frame = FrameChoice(map, kCandidates[0], kWidth, kHeight);
    const MapPoint niger = InteriorPoint(map, *map.Find("ner"));
    for (auto _ : state) {
        if (state.range(0))
            benchmark::DoNotOptimize(JudgePointing(map, "tcd", niger, frame->dScale));
        else
            benchmark::DoNotOptimize(CandidateAt(map, *frame, niger));
    }
}
BENCHMARK(BM_JudgeClick)->Arg(0)->Arg(1)->ArgName("pointing")->Unit(benchmark::kMicrosecond);

} // namespace
