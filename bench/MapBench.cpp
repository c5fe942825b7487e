#include "map/CWorldMapView.h"
#include "map/WorldMap.h"
#include "map/WorldMapData.h"

#include <QFile>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

QImage Canvas()
{
    QImage image(1600, 800, QImage::Format_RGB32); // 800x400 at 2x scale
    image.setDevicePixelRatio(2);
    return image;
}

// Reading the map: decoding the committed bytes and projecting every point
// (target, with building the paths below: under 30 ms).
void BM_MapDecode(benchmark::State& state)
{
    QFile file(QStringLiteral(MARELTO_SOURCE_DIR "/res/map/world.map"));
    if (!file.open(QIODevice::ReadOnly))
        return state.SkipWithError("no map file");
    const QByteArray bytes = file.readAll();
    const std::span<const unsigned char> data(reinterpret_cast<const unsigned char*>(bytes.data()),
                                              std::size_t(bytes.size()));
    for (auto _ : state) {
        std::optional<WorldMap> map = WorldMap::Decode(data);
        benchmark::DoNotOptimize(map);
    }
}
BENCHMARK(BM_MapDecode)->Unit(benchmark::kMillisecond);

// A view's first painting: its paths built from the decoded map, then drawn.
void BM_MapFirstPaint(benchmark::State& state)
{
    WorldMapData();
    QImage image = Canvas();
    for (auto _ : state) {
        CWorldMapView view;
        view.resize(800, 400);
        QPainter painter(&image);
        view.Render(painter);
    }
}
BENCHMARK(BM_MapFirstPaint)->Unit(benchmark::kMillisecond);

// Painting the whole map, 800x400 at 2x scale, from the cached paths, with a country
// highlighted (target: under 10 ms); arg 1: zoomed in on a small state.
void BM_MapPaint(benchmark::State& state)
{
    CWorldMapView view;
    view.resize(800, 400);
    QImage image = Canvas();
    view.Highlight(state.range(0) ? "lie" : "jpn");
    if (!state.range(0))
        view.ShowWorld();
    for (auto _ : state) {
        QPainter painter(&image);
        view.Render(painter);
    }
}
BENCHMARK(BM_MapPaint)->Arg(0)->Arg(1)->ArgName("zoomed")->Unit(benchmark::kMillisecond);

} // namespace
