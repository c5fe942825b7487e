#include "platform/Resources.h"
#include "quiz/FlagCatalog.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// Showing a question's flag: look the code up and decode its compiled-in bitmap, going round
// the first 66 rows (arg 0) or the later ones (arg 1).
void BM_LoadFlag(benchmark::State& state)
{
    std::vector<FlagEntry> rows;
    for (const FlagEntry& e : FlagCatalog())
        if ((e.nBitmapId >= 300) == (state.range(0) != 0))
            rows.push_back(e);
    std::size_t n = 0;
    for (auto _ : state) {
        const FlagEntry& e = rows[n++ % rows.size()];
        QImage image = LoadFlagBitmap(*LookupFlagBitmap(e.strCode));
        benchmark::DoNotOptimize(image);
    }
}

BENCHMARK(BM_LoadFlag)->Arg(0)->Arg(1)->ArgName("later");

// One larger picture decoded and fitted into a flag-choice answer's box (121 x 123 px with the
// dialog font here), at scale 1 and 2, going round all the codes.
void BM_LoadFlagPicture(benchmark::State& state)
{
    const auto catalogue = FlagCatalog();
    const qreal dRatio = static_cast<qreal>(state.range(0));
    std::size_t n = 0;
    for (auto _ : state) {
        QPixmap picture =
            LoadFlagPicture(catalogue[n++ % catalogue.size()].strCode, QSize(121, 123), dRatio);
        benchmark::DoNotOptimize(picture);
    }
}

BENCHMARK(BM_LoadFlagPicture)->Arg(1)->Arg(2)->ArgName("scale");

} // namespace
