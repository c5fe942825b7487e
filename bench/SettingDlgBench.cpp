// Opening the settings dialog in a folder of many question files: one folder read, one batch
// into the list, one sort. Target: under 100 ms with 10,000 files.
// Run: QT_QPA_PLATFORM=offscreen ./bench_settings
#include "platform/ProfileStore.h"
#include "settings/CSettingDlg.h"
#include "settings/QuestionFileList.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdlib.h>
#include <string>

namespace fs = std::filesystem;

namespace {

// A folder of nFiles question files of one record each, made once per size and kept for the run.
class QuestionFolder
{
  public:
    explicit QuestionFolder(int nFiles)
    {
        std::string tmpl = (fs::temp_directory_path() / "marelto-bench-XXXXXX").string();
        if (!::mkdtemp(tmpl.data()))
            std::abort();
        m_path = tmpl;
        const std::string record(420, ' ');
        for (int i = 0; i < nFiles; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "q%05d.txt", (i * 7919) % nFiles);
            std::ofstream(m_path / name, std::ios::binary) << record;
        }
        ProfileStore profile(m_path / ProfileKeys::kFileName);
        profile.Write(ProfileKeys::kQuestionFile, "q05000.txt");
        profile.Write(ProfileKeys::kQuestionCount, 1);
    }
    ~QuestionFolder()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    const fs::path& Path() const { return m_path; }

  private:
    fs::path m_path;
};

void BM_ListQuestionFiles(benchmark::State& state)
{
    const QuestionFolder folder(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(QuestionFileList::List(folder.Path()));
}
BENCHMARK(BM_ListQuestionFiles)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

// From construction to the dialog on screen, as the menu handler opens it.
void BM_OpenSettingDialog(benchmark::State& state)
{
    const QuestionFolder folder(static_cast<int>(state.range(0)));
    const fs::path old = fs::current_path();
    fs::current_path(folder.Path());
    ProfileStore profile(folder.Path() / ProfileKeys::kFileName);
    for (auto _ : state) {
        CSettingDlg dlg(profile);
        dlg.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(&dlg);
    }
    fs::current_path(old);
}
BENCHMARK(BM_OpenSettingDialog)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
