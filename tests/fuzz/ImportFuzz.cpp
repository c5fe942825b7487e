// The question-file tool on any table: import either writes a whole question file or refuses
// with a message and leaves the old file as it was; never a crash, never half a file. And any
// question file, exported and imported again, comes back byte for byte in its whole records.
//
// Input: the table; the same bytes also serve as a question file for export and check.

#include "quiz/QuestionRecord.h"
#include "tools/questions/QuestionCheck.h"
#include "tools/questions/QuestionTool.h"
#include "tools/questions/QuestionTsv.h"

#include "FuzzSupport.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

namespace {

const std::string kOldFile = "old question file, kept unless an import succeeds";

void CheckImport(std::string_view tsv, bool bCut)
{
    const QuestionTsv::ImportResult result = QuestionTsv::Import(tsv, {bCut});
    bool bError = false;
    for (const QuestionTsv::Diagnostic& diag : result.diagnostics) {
        FUZZ_CHECK(!diag.strMessage.empty());
        bError = bError || diag.bError;
    }
    FUZZ_CHECK(result.bOk == !bError);
    if (!result.bOk)
        return;
    FUZZ_CHECK(result.strBytes.size() == result.nRecords * kRecordSize);
    // What import writes, export reads back to a table that imports to the same bytes.
    const QuestionTsv::ImportResult again =
        QuestionTsv::Import(QuestionTsv::Export(result.strBytes).strTsv, {false});
    FUZZ_CHECK(again.bOk && again.strBytes == result.strBytes);
}

// The command as an author runs it, on files.
void CheckImportCommand(std::string_view tsv)
{
    const std::filesystem::path dir = Fuzz::ScratchDir();
    const std::filesystem::path in = dir / "table.tsv", out = dir / "q.txt";
    Fuzz::WriteBytes(in, tsv);
    Fuzz::WriteBytes(out, kOldFile);
    std::ostringstream stdOut, stdErr;
    const int nStatus =
        RunQuestionTool({"import", in.string(), "-o", out.string()}, stdOut, stdErr);
    const std::string written = Fuzz::ReadBytes(out);
    if (nStatus == 0) {
        FUZZ_CHECK(written == QuestionTsv::Import(tsv).strBytes);
    } else {
        FUZZ_CHECK(nStatus == 1);
        FUZZ_CHECK(written == kOldFile);
        FUZZ_CHECK(!stdErr.str().empty());
    }
    std::size_t nFiles = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir))
        ++nFiles;
    FUZZ_CHECK(nFiles == 2); // no temporary left behind
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string_view data(reinterpret_cast<const char*>(pData), nSize);
    CheckImport(data, false);
    CheckImport(data, true);
    CheckImportCommand(data);

    const QuestionTsv::ExportResult exported = QuestionTsv::Export(data);
    const std::size_t nWhole = exported.nRecords * kRecordSize;
    FUZZ_CHECK(nWhole + exported.nTailBytes == data.size());
    const QuestionTsv::ImportResult back = QuestionTsv::Import(exported.strTsv);
    FUZZ_CHECK(back.bOk);
    FUZZ_CHECK(back.strBytes == data.substr(0, nWhole));

    for (const QuestionCheck::Problem& problem : QuestionCheck::Check(data))
        FUZZ_CHECK(!QuestionCheck::FormatProblem(problem).empty());
    return 0;
}
