#include "platform/AtomicFile.h"
#include "platform/File.h"
#include "print/PdfFile.h"
#include "print/PrintRequest.h"
#include "quiz/QuestionRecord.h"

#include <QDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>

namespace {

// Made, drawn and written to disk, as the print command does it (target: under 1 s each).
void WriteEach(benchmark::State& state, const PrintRequest& request)
{
    const std::filesystem::path out =
        std::filesystem::path(QDir::tempPath().toStdString()) / "marelto-print-bench.pdf";
    for (auto _ : state) {
        const QByteArray pdf = MakePdf(request);
        if (!WriteFileAtomically(out, std::string_view(pdf.constData(), std::size_t(pdf.size()))))
            return state.SkipWithError("cannot write");
        state.counters["KiB"] = double(pdf.size()) / 1024;
    }
    std::filesystem::remove(out);
}

// A 問題プリント of the world file's first 40 questions, with its key.
void BM_PrintSheet40(benchmark::State& state)
{
    std::ifstream file(MARELTO_SOURCE_DIR "/data/世界の国旗.txt", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), {});
    if (bytes.size() < 40 * kRecordSize)
        return state.SkipWithError("no world file");
    PrintRequest request;
    request.questionFile = bytes.substr(0, 40 * kRecordSize);
    request.options.strSource = "世界の国旗.txt";
    WriteEach(state, request);
}
BENCHMARK(BM_PrintSheet40)->Unit(benchmark::kMillisecond);

// The world's 白地図: 199 countries numbered, the table to fill in and the key.
void BM_PrintWorldMap(benchmark::State& state)
{
    PrintRequest request;
    request.kind = PrintRequest::Kind::Map;
    WriteEach(state, request);
}
BENCHMARK(BM_PrintWorldMap)->Unit(benchmark::kMillisecond);

} // namespace
