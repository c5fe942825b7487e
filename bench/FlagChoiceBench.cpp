#include "platform/AtomicFile.h"
#include "platform/File.h"
#include "platform/ProfileStore.h"
#include "quiz/CQuizDlg.h"
#include "quiz/FlagCatalog.h"
#include "quiz/QuestionRecord.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

// One question shown in the real main window, as the round shows it: the record read, the four
// flags decoded and fitted to their boxes (flag choice, arg 1) or the text rows and the picture
// box filled (text, arg 0), then the window repainted. Every draw takes the next record, so each
// flag-choice draw decodes four flags it has not just shown. Target: flag choice under 2 ms.
void BM_ShowQuestion(benchmark::State& state)
{
    const bool bFlags = state.range(0) != 0;
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "marelto-bench-flagchoice";
    std::filesystem::create_directories(dir);
    const std::filesystem::path old = std::filesystem::current_path();
    std::filesystem::current_path(dir);

    const auto catalogue = FlagCatalog();
    std::string bytes;
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        std::array<std::string, 4> answers;
        for (std::size_t k = 0; k < 4; ++k)
            answers[k] = catalogue[(i + k * 50) % catalogue.size()].strCode;
        const std::string code(catalogue[i].strCode);
        bytes += bFlags ? ComposeRecord(code + "Q", answers, 0)
                        : ComposeRecord(code + "Q", {"A1", "A2", "A3", "A4"}, 0);
    }
    std::string strError;
    WriteFileAtomically(dir / ProfileKeys::kQuestionFile.strDefault, bytes, &strError);

    ProfileStore store(dir / ProfileKeys::kFileName);
    CQuizDlg dlg(store);
    dlg.show();
    QApplication::processEvents();
    std::int64_t n = 0;
    for (auto _ : state) {
        dlg.Round().m_nAnswered =
            static_cast<int>(n++ % static_cast<std::int64_t>(catalogue.size()));
        benchmark::DoNotOptimize(dlg.Round().DrawQuestion());
        QApplication::processEvents(); // lays out and paints what changed
    }
    std::filesystem::current_path(old);
    std::filesystem::remove_all(dir);
}

BENCHMARK(BM_ShowQuestion)->Arg(0)->Arg(1)->ArgName("flags")->Unit(benchmark::kMillisecond);

} // namespace
