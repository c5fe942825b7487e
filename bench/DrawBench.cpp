#include "platform/ProfileStore.h"
#include "quiz/QuestionRecord.h"
#include "quiz/QuizRound.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {

class NullView : public IRoundView
{
  public:
    void StartTimer() override {}
    void StopTimer() override {}
    void EnableControl(int, bool) override {}
    void SetLampColor(int, std::uint32_t) override {}
    void SetTimeRange(int) override {}
    void SetTimePos(int) override {}
    void Judge(const std::string&, const std::string&) override {}
    void PlayEffect(int) override {}
    int MessageBox(const std::string&, unsigned) override { return 1; }
    void ShowFlag(std::optional<int>) override {}
    void ShowFlagChoice(const std::optional<std::array<std::string, 4>>&) override {}
    void UpdateData() override {}
};

// One question file of nRecords records in a folder of its own, made once per size.
std::filesystem::path MakeFolder(std::int64_t nRecords)
{
    auto dir =
        std::filesystem::temp_directory_path() / ("marelto-bench-draw-" + std::to_string(nRecords));
    std::filesystem::create_directories(dir);
    auto path = dir / ProfileKeys::kQuestionFile.strDefault;
    if (!std::filesystem::exists(path) ||
        std::filesystem::file_size(path) != static_cast<std::uintmax_t>(nRecords) * kRecordSize) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        for (std::int64_t i = 0; i < nRecords; ++i)
            out << ComposeRecord("jpn question " + std::to_string(i), {"a", "b", "c", "d"},
                                 static_cast<int>(i % 4));
    }
    return dir;
}

void BM_DrawQuestion(benchmark::State& state)
{
    const std::int64_t nRecords = state.range(0);
    const bool bRandom = state.range(1) != 0;
    const auto dir = MakeFolder(nRecords);
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    ProfileStore store(dir / ProfileKeys::kFileName);
    NullView view;
    RuntimeRandom random;
    QuizRound round(store, view, random, [] { return std::time(nullptr); });
    round.m_nSeq = bRandom ? 1 : 0;
    std::int64_t n = 0;
    for (auto _ : state) {
        round.m_nAnswered = static_cast<int>(n++ % nRecords);
        benchmark::DoNotOptimize(round.DrawQuestion());
    }
    std::filesystem::current_path(old);
}

BENCHMARK(BM_DrawQuestion)->ArgsProduct({{3, 100000}, {0, 1}})->ArgNames({"records", "random"});

} // namespace

BENCHMARK_MAIN();
