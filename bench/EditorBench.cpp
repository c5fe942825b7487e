// The question editor on a question file of 100,000 records (42 MB): opening it with every
// number listed (target: under 200 ms) and deleting one record (target: under 300 ms). Choosing
// a position record and painting its places: the first, which loads the map, once; then each.
// Run: QT_QPA_PLATFORM=offscreen ./bench_editor
#include "editor/CEditDlg.h"
#include "editor/QuestionEditor.h"
#include "platform/MessageBox.h"
#include "platform/ProfileStore.h"
#include "quiz/QuestionRecord.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <stdlib.h>
#include <string>

namespace fs = std::filesystem;

namespace {

// A folder beside the build holding q.txt of nRecords records, removed with the object. It lies
// on the same disk as real question files, so the deletes' flush costs what it would there.
class BigQuestionFile
{
  public:
    explicit BigQuestionFile(std::int64_t nRecords)
    {
        std::string tmpl = (fs::current_path() / "marelto-bench-editor-XXXXXX").string();
        if (!::mkdtemp(tmpl.data()))
            std::abort();
        m_dir = tmpl;
        std::ofstream out(Path(), std::ios::binary);
        for (std::int64_t i = 0; i < nRecords; ++i)
            out << ComposeRecord("jpn question " + std::to_string(i), {"a", "b", "c", "d"},
                                 static_cast<int>(i % 4));
        ProfileStore(m_dir / ProfileKeys::kFileName).Write(ProfileKeys::kQuestionFile, "q.txt");
    }
    ~BigQuestionFile()
    {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    const fs::path& Dir() const { return m_dir; }
    fs::path Path() const { return m_dir / "q.txt"; }

  private:
    fs::path m_dir;
};

constexpr std::int64_t kRecords = 100000;

// From construction to the editor on screen with every number in its box.
void BM_OpenEditor(benchmark::State& state)
{
    const BigQuestionFile file(kRecords);
    const fs::path old = fs::current_path();
    fs::current_path(file.Dir());
    ProfileStore profile(file.Dir() / ProfileKeys::kFileName);
    for (auto _ : state) {
        CEditDlg dlg(profile);
        dlg.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dlg.findChild<QComboBox*>("questionNo")->count());
    }
    fs::current_path(old);
}
BENCHMARK(BM_OpenEditor)->Unit(benchmark::kMillisecond);

// Dropping the list of 100,000 numbers open.
void BM_DropNumberList(benchmark::State& state)
{
    const BigQuestionFile file(kRecords);
    const fs::path old = fs::current_path();
    fs::current_path(file.Dir());
    ProfileStore profile(file.Dir() / ProfileKeys::kFileName);
    CEditDlg dlg(profile);
    dlg.show();
    auto* pNumbers = dlg.findChild<QComboBox*>("questionNo");
    pNumbers->setCurrentIndex(kRecords / 2);
    for (auto _ : state) {
        pNumbers->showPopup();
        QApplication::processEvents();
        pNumbers->hidePopup();
    }
    fs::current_path(old);
}
BENCHMARK(BM_DropNumberList)->Unit(benchmark::kMillisecond);

// The streamed rewrite alone: every record but one through a temporary, flushed, renamed.
void BM_RemoveRecord(benchmark::State& state)
{
    const BigQuestionFile file(kRecords);
    std::int64_t nIndex = kRecords / 2;
    for (auto _ : state)
        benchmark::DoNotOptimize(QuestionFile::Remove(file.Path(), nIndex--));
}
BENCHMARK(BM_RemoveRecord)->Unit(benchmark::kMillisecond);

// 問削除 in the open editor, confirmation answered: the rewrite plus the refilled number box.
void BM_DeleteQuestionInEditor(benchmark::State& state)
{
    const BigQuestionFile file(kRecords);
    const fs::path old = fs::current_path();
    fs::current_path(file.Dir());
    ProfileStore profile(file.Dir() / ProfileKeys::kFileName);
    SetMessageBoxHandler([](const QString&, unsigned) { return IDYES; });
    CEditDlg dlg(profile);
    auto* pNumbers = dlg.findChild<QComboBox*>("questionNo");
    auto* pDelete = dlg.findChild<QPushButton*>("deleteQuestion");
    for (auto _ : state) {
        state.PauseTiming();
        pNumbers->setCurrentIndex(pNumbers->count() / 2);
        state.ResumeTiming();
        pDelete->click();
    }
    SetMessageBoxHandler({});
    fs::current_path(old);
}
BENCHMARK(BM_DeleteQuestionInEditor)->Unit(benchmark::kMillisecond);

// Choosing a position record (Chad, then the Vatican) with its map painted. The first choice in
// the process also decodes the map and makes its outlines: BM_FirstPositionRecord, run alone.
void ChoosePositionRecords(benchmark::State& state)
{
    const fs::path dir = fs::current_path() / "marelto-bench-places";
    fs::create_directories(dir);
    std::ofstream(dir / "q.txt", std::ios::binary)
        << ComposeRecord("tcd", {"@ner", "@tcd", "@sdn", "@lby"}, 1)
        << ComposeRecord("vat", {"@ita", "@smr", "@vat", "@fra"}, 2);
    const fs::path old = fs::current_path();
    fs::current_path(dir);
    ProfileStore profile(dir / ProfileKeys::kFileName);
    profile.Write(ProfileKeys::kQuestionFile, "q.txt");
    CEditDlg dlg(profile);
    dlg.show();
    auto* pNumbers = dlg.findChild<QComboBox*>("questionNo");
    auto* pMap = dlg.findChild<QWidget*>("placeMap");
    int nRecord = 0;
    for (auto _ : state) {
        pNumbers->setCurrentIndex(nRecord);
        emit pNumbers->activated(nRecord);
        pMap->repaint();
        nRecord ^= 1;
    }
    fs::current_path(old);
    fs::remove_all(dir);
}
void BM_FirstPositionRecord(benchmark::State& state)
{
    ChoosePositionRecords(state);
}
BENCHMARK(BM_FirstPositionRecord)->Iterations(1)->Unit(benchmark::kMillisecond);
void BM_ChoosePositionRecord(benchmark::State& state)
{
    ChoosePositionRecords(state);
}
BENCHMARK(BM_ChoosePositionRecord)->Unit(benchmark::kMillisecond);

} // namespace
