// The facts table: parsing the compiled-in files (once, on first use), a lookup by code, and
// readings: of one name, of a language name read word by word, and of every name and capital
// (what a search index over the table would compute).
#include "facts/Facts.h"

#include <benchmark/benchmark.h>

namespace Facts {
extern const std::string_view kCountriesTsv;
extern const std::string_view kWordsTsv;
} // namespace Facts

namespace {

void BM_ParseTable(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Facts::Parse(Facts::kCountriesTsv, Facts::kWordsTsv));
}
BENCHMARK(BM_ParseTable);

void BM_FindCountry(benchmark::State& state)
{
    const char* const codes[] = {"afg", "jpn", "zwe", "xyz"};
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(Facts::FindCountry(codes[i++ % 4]));
}
BENCHMARK(BM_FindCountry);

void BM_ReadingOfName(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Facts::Readings("南アフリカ共和国"));
}
BENCHMARK(BM_ReadingOfName);

void BM_ReadingByWords(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Facts::Readings("南アフリカ手話"));
}
BENCHMARK(BM_ReadingByWords);

void BM_EveryNameAndCapital(benchmark::State& state)
{
    for (auto _ : state)
        for (const Facts::Country& c : Facts::Countries()) {
            for (std::string_view name : c.names)
                benchmark::DoNotOptimize(Facts::Readings(name));
            for (std::string_view capital : c.capitals)
                benchmark::DoNotOptimize(Facts::Readings(capital));
        }
}
BENCHMARK(BM_EveryNameAndCapital)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
