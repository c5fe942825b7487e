// The facts table: parsing the compiled-in files (once, on first use), a lookup by code, and
// readings: of one name, of a language name read word by word, and of every name and capital
// (what a search index over the table would compute). Judging a typed answer (target: within
// 0.1 ms), a new question each time, the table already parsed.
#include "facts/Facts.h"
#include "platform/Cp932.h"
#include "quiz/QuestionRecord.h"
#include "typing/TypedAnswerJudge.h"

#include <benchmark/benchmark.h>

#include <algorithm>

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

// Every country's four questions as the bundled files ask them, each with a typed answer: the
// name's reading, ﾊﾟﾘ for the capital (wrong but for France), the last official language, the
// 州 for the region.
struct Typed
{
    std::string strRecord;
    std::string strTyped;
};

std::vector<Typed> TypedAnswers()
{
    std::vector<Typed> out;
    auto add = [&](const Facts::Country& c, std::string_view answer, std::string typed) {
        const std::string question = std::string(c.code) + "?";
        const std::string cp932 = Cp932::FromUtf8(answer).value_or("?");
        out.push_back({ComposeRecord(question, {"x", cp932, "y", "z"}, 1), std::move(typed)});
    };
    for (const Facts::Country& c : Facts::Countries()) {
        const std::vector<std::string> readings = Facts::Readings(c.names[0]);
        add(c, c.names[0], readings.empty() ? std::string(c.names[0]) : readings.back());
        add(c, c.capitals[0], "ﾊﾟﾘ");
        std::string languages;
        for (std::size_t n = 0; n < c.languages.size() && n < 3; ++n)
            languages += (n ? "、" : "") + std::string(c.languages[n].names[0]);
        if (c.languages.size() > 3)
            languages += "など" + std::to_string(c.languages.size()) + "言語";
        add(c, languages, std::string(c.languages.back().names[0]));
        add(c, c.region, std::string(c.continent));
    }
    return out;
}

void BM_JudgeTypedAnswer(benchmark::State& state)
{
    const std::vector<Typed> answers = TypedAnswers();
    TypedAnswerJudge judge;
    judge.Judge("", answers[0].strRecord); // the table parsed before timing
    std::size_t i = 0;
    for (auto _ : state) {
        const Typed& t = answers[i++ % answers.size()];
        benchmark::DoNotOptimize(judge.Judge(t.strTyped, t.strRecord));
    }
}
BENCHMARK(BM_JudgeTypedAnswer)->Unit(benchmark::kMicrosecond);

// The costliest question: Bolivia's 37 official languages, each read and folded.
void BM_JudgeTypedLanguageOfBolivia(benchmark::State& state)
{
    const std::vector<Typed> answers = TypedAnswers();
    const std::span<const Facts::Country> countries = Facts::Countries();
    const auto bol = std::find_if(countries.begin(), countries.end(),
                                  [](const Facts::Country& c) { return c.code == "bol"; });
    const Typed& t = answers[static_cast<std::size_t>(bol - countries.begin()) * 4 + 2];
    TypedAnswerJudge judge;
    for (auto _ : state)
        benchmark::DoNotOptimize(judge.Judge(t.strTyped, t.strRecord));
}
BENCHMARK(BM_JudgeTypedLanguageOfBolivia)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
