// The answer history: one append, as each verdict makes before its popup opens, and the
// results window over 100,000 history lines, from reading the file to the window on screen
// (target: under 200 ms; also switched to the 習得マップ page, whose states wait until it is
// shown), and the mastery states of the 199 countries from 100,000 lines
// (target: under 50 ms), and the 習得マップ page painted at twice the scale (target: under 10 ms).
// Run: QT_QPA_PLATFORM=offscreen ./bench_learning
#include "facts/Facts.h"
#include "learning/AnswerHistory.h"
#include "learning/CMasteryPage.h"
#include "learning/CResultsDlg.h"
#include "learning/MasteryMap.h"
#include "learning/ResultsSummary.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTabWidget>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdlib.h>

namespace fs = std::filesystem;

namespace {

const char* const kQuestions[] = {"この国旗はどの国の国旗？", "この国旗の国の首都はどこ？",
                                  "この国旗の国は世界のどの地域にある？",
                                  "この国旗の国の公用語は？"};
const char* const kCodes[] = {"jpn", "fra", "bra", "usa", "ita", "ukr", "chl", "mex", "xyz"};

std::string RoundOf(int i)
{
    return "2026-12-08T09:" + std::to_string(i / 10);
}

HistoryRow Row(int i, std::string_view round)
{
    const int nQuestion = (i * 7919) % 2000;
    return {"2026-12-08T10:00:00+09:00",
            i % 3 ? "bank.txt" : "world.txt",
            nQuestion + 1,
            static_cast<std::uint64_t>(nQuestion) * 0x9e3779b97f4a7c15ULL,
            kCodes[nQuestion % 9],
            i % 5 ? AnswerResult::Correct : (i % 2 ? AnswerResult::Wrong : AnswerResult::TimeOut),
            1.5 + i % 7,
            round,
            kQuestions[nQuestion % 4],
            i % 10 == 5 ? "ﾊﾟﾘｽ" : ""}; // a wrong answer typed
}

// A folder beside the build, so the disk is the one the history would live on.
class BenchDir
{
  public:
    BenchDir()
    {
        std::string tmpl = (fs::current_path() / "marelto-bench-history-XXXXXX").string();
        if (!::mkdtemp(tmpl.data()))
            std::abort();
        m_dir = tmpl;
    }
    ~BenchDir()
    {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    fs::path operator/(const char* szName) const { return m_dir / szName; }

  private:
    fs::path m_dir;
};

void BM_AppendAnswer(benchmark::State& state)
{
    const BenchDir dir;
    const std::string round = RoundOf(1);
    const HistoryRow row = Row(1, round);
    for (auto _ : state)
        benchmark::DoNotOptimize(AppendHistoryRow(dir / kHistoryFileName, row));
}
BENCHMARK(BM_AppendAnswer)->Unit(benchmark::kMicrosecond);

void OpenResults(benchmark::State& state, bool bMasteryPage)
{
    const BenchDir dir;
    {
        std::ofstream out(dir / kHistoryFileName, std::ios::binary);
        out << kHistoryHeader;
        for (int i = 0; i < 100000; ++i)
            out << FormatHistoryLine(Row(i, RoundOf(i)));
    }
    for (auto _ : state) {
        // As the 成績 command: the figures, the mastery states and both pages.
        HistoryLog log = ReadHistory(dir / kHistoryFileName);
        const ResultsSummary sum = SummarizeHistory(log.rows, "bank.txt");
        CResultsDlg dlg(sum, "bank.txt", false);
        dlg.AddMasteryPage(new CMasteryPage(
            std::move(log),
            [](const std::vector<HistoryRow>& rows) {
                return MasteryMap(rows, RecordKinds::ReadForRows(rows), Facts::Countries(), 20800);
            },
            0));
        dlg.show();
        if (bMasteryPage)
            dlg.findChild<QTabWidget*>("resultsTabs")->setCurrentIndex(1);
        QApplication::processEvents();
        benchmark::DoNotOptimize(sum.all.nAnswers);
    }
}

void BM_OpenResults(benchmark::State& state)
{
    OpenResults(state, false);
}
BENCHMARK(BM_OpenResults)->Unit(benchmark::kMillisecond);

void BM_OpenResultsOnMasteryPage(benchmark::State& state)
{
    OpenResults(state, true);
}
BENCHMARK(BM_OpenResultsOnMasteryPage)->Unit(benchmark::kMillisecond);

// Every country asked in every kind over a month of days, answers mostly right.
void BM_MasteryStates(benchmark::State& state)
{
    const std::span<const Facts::Country> countries = Facts::Countries();
    std::string text = kHistoryHeader;
    for (int i = 0; i < 100000; ++i) {
        const Facts::Country& country = countries[std::size_t(i * 31) % countries.size()];
        char szTime[32];
        std::snprintf(szTime, sizeof szTime, "2026-11-%02dT10:%02d:00+09:00", 1 + i / 3500, i % 60);
        const std::string round = RoundOf(i);
        HistoryRow row = Row(i, round);
        row.strTime = szTime;
        row.strCode = country.code;
        text += FormatHistoryLine(row);
    }
    const std::vector<HistoryRow> rows = ParseHistory(text);
    const RecordKinds kinds;
    for (auto _ : state) {
        const MasteryMap map(rows, kinds, countries, 20800);
        benchmark::DoNotOptimize(MasteryMap::Count(map.States(std::nullopt)));
    }
}
BENCHMARK(BM_MasteryStates)->Unit(benchmark::kMillisecond);

// The page as a learner sees it after a few weeks: every state on the map; the map's paths are
// built at the first paint, before the timing.
void BM_PaintMasteryPage2x(benchmark::State& state)
{
    std::string text = kHistoryHeader;
    const std::span<const Facts::Country> countries = Facts::Countries();
    for (std::size_t i = 0; i < countries.size(); ++i) {
        const std::string round = RoundOf(int(i));
        HistoryRow row = Row(int(i), round);
        row.strCode = countries[i].code;
        text += FormatHistoryLine(row);
    }
    HistoryLog log{std::make_shared<std::string>(text), {}, false};
    log.rows = ParseHistory(*log.text);
    CMasteryPage page(
        std::move(log),
        [&](const std::vector<HistoryRow>& rows) {
            return MasteryMap(rows, RecordKinds(), countries, 20795);
        },
        0);
    page.show();
    QApplication::processEvents();
    QImage image(page.size() * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    page.render(&image);
    for (auto _ : state) {
        QPainter painter(&image);
        page.render(&painter);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintMasteryPage2x)->Unit(benchmark::kMillisecond);

} // namespace
