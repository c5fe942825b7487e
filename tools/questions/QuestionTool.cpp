#include "tools/questions/QuestionTool.h"

#include "facts/Facts.h"
#include "map/WorldMap.h"
#include "platform/AtomicFile.h"
#include "platform/CommandLine.h"
#include "platform/File.h"
#include "quiz/FlagCatalog.h"
#include "tools/questions/BankGenerator.h"
#include "tools/questions/BundledFiles.h"
#include "tools/questions/FactCheck.h"
#include "tools/questions/Neighbours.h"
#include "tools/questions/QuestionCheck.h"
#include "tools/questions/QuestionTsv.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace {

constexpr std::string_view kUsage =
    "使い方:\n"
    "  marelto-questions check [--facts FACTS] FILE...\n"
    "                                               問題ファイルを調べる（事実表とも照らす）\n"
    "  marelto-questions export FILE [-o TSV]       問題ファイルを UTF-8 の TSV に書き出す\n"
    "  marelto-questions import TSV -o FILE [--cut] TSV から問題ファイルを作る\n"
    "  marelto-questions generate FACTS [-o FILE]   事実表から世界の国旗の問題集を作る（-o なしは "
    "TSV を出力）\n"
    "  marelto-questions generate FACTS --all DIR   事実表から作る付属の問題ファイルをすべて DIR "
    "に作る\n"
    "  marelto-questions neighbours MAP [-o TSV]    "
    "地図から位置の問題の誤答になる近隣国の表を作る\n"
    "  marelto-questions print FILE --sheet|--cards|--map 州 [-o PDF] [--b5] [--no-key]\n"
    "                                               問題プリント・国旗カード・白地図の PDF "
    "を作る\n";

constexpr std::string_view kHelpJa =
    "Marelto の問題ファイル（Shift_JIS、1 問 420 バイト）を調べ、TSV に書き出し、TSV から作り、\n"
    "事実表から作ります。書き込みは、すべて問題なく作れたときだけです。\n"
    "\n"
    "オプション:\n"
    "  -h, --help   この説明を表示して終わる\n"
    "  --version    版を表示して終わる\n"
    "\n"
    "ファイル: 事実表 FACTS は countries.tsv（UTF-8）で、同じフォルダーの words.tsv "
    "の読みも使う。\n"
    "同梱の問題ファイルは /usr/share/marelto、使う問題ファイルは ~/.local/share/marelto にある。\n"
    "終了状態: 0 問題なし、1 問題あり・エラー、2 使い方の誤り。\n";

constexpr std::string_view kHelpEn =
    "Usage:\n"
    "  marelto-questions check [--facts FACTS] FILE...  check question files (against the facts)\n"
    "  marelto-questions export FILE [-o TSV]           write a question file as UTF-8 TSV\n"
    "  marelto-questions import TSV -o FILE [--cut]     make a question file from such a TSV\n"
    "  marelto-questions generate FACTS [-o FILE]       make the world question file from the\n"
    "                                                   facts table (its TSV without -o)\n"
    "  marelto-questions generate FACTS --all DIR       make every bundled question file in DIR\n"
    "  marelto-questions neighbours MAP [-o TSV]        each country's neighbours on the map,\n"
    "                                                   the wrong places of position questions\n"
    "  marelto-questions print FILE --sheet|--cards|--map AREA [-o PDF] [--b5] [--no-key]\n"
    "                                                   a worksheet, flag cards or a blank map of\n"
    "                                                   a 州 (世界: the world) as PDF to print\n"
    "Checks, exports, imports and generates Marelto's question files (Shift_JIS, 420 bytes a\n"
    "question). Nothing is written unless all of it could be made without a problem.\n"
    "\n"
    "Options:\n"
    "  -h, --help   show this help and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "Files: FACTS is countries.tsv (UTF-8); words.tsv beside it gives the readings. The bundled\n"
    "question files are in /usr/share/marelto, the ones in use in ~/.local/share/marelto.\n"
    "Exit status: 0 all well, 1 problems or errors, 2 bad usage. Messages are Japanese.\n";

struct Args
{
    std::vector<std::string> files;
    std::string strOutput;
    std::string strFacts;
    std::string strAllDir;
    bool bCut = false;
    bool bOk = true;
    std::string strUnknown; // the first option the command does not know
};

Args ParseArgs(const std::vector<std::string>& args, const std::string& strCommand)
{
    Args parsed;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size() && parsed.strOutput.empty())
            parsed.strOutput = args[++i];
        else if (args[i] == "--all" && strCommand == "generate" && i + 1 < args.size() &&
                 parsed.strAllDir.empty())
            parsed.strAllDir = args[++i];
        else if (args[i] == "--facts" && strCommand == "check" && i + 1 < args.size() &&
                 parsed.strFacts.empty())
            parsed.strFacts = args[++i];
        else if (args[i] == "--cut" && strCommand == "import")
            parsed.bCut = true;
        else if (args[i].starts_with("-") && args[i] != "-") {
            if (parsed.bOk)
                parsed.strUnknown = args[i];
            parsed.bOk = false;
        } else
            parsed.files.push_back(args[i]);
    }
    return parsed;
}

std::optional<std::string> ReadAll(const std::string& strPath, std::ostream& err)
{
    File file;
    std::string bytes;
    if (!file.Open(PathFromUtf8(strPath), File::modeRead) || !file.Read(bytes, file.GetLength())) {
        err << strPath << ": 読めません（" << file.Error() << "）\n";
        return std::nullopt;
    }
    return bytes;
}

bool Write(const std::string& strPath, std::string_view bytes, std::ostream& err)
{
    std::string strError;
    if (WriteFileAtomically(PathFromUtf8(strPath), bytes, &strError))
        return true;
    err << strPath << ": 書けません（" << strError << "）。元のファイルはそのままです\n";
    return false;
}

// The readings of words beside the facts table, else those compiled in.
std::optional<std::string> ReadWords(const std::string& strFacts, std::ostream& err)
{
    const std::filesystem::path words = PathFromUtf8(strFacts).parent_path() / "words.tsv";
    std::error_code ec;
    if (!std::filesystem::exists(words, ec))
        return std::string(Facts::kWordsTsv);
    return ReadAll(Utf8FromPath(words), err);
}

int Check(const Args& args, std::ostream& out, std::ostream& err)
{
    std::vector<BankGenerator::Country> countries;
    std::optional<std::string> facts;
    std::optional<std::string> words;
    Facts::Table table; // with readings, for the typing mode's judgement
    if (!args.strFacts.empty()) {
        facts = ReadAll(args.strFacts, err);
        words = facts ? ReadWords(args.strFacts, err) : std::nullopt;
        if (!words)
            return 1;
        BankGenerator::FactsResult parsed = BankGenerator::ParseFacts(*facts);
        table = Facts::Parse(*facts, *words);
        if (!parsed.bOk || !table.strError.empty()) {
            err << args.strFacts << ": " << (parsed.bOk ? table.strError : parsed.strError) << "\n";
            return 1;
        }
        countries = std::move(parsed.countries);
    }
    int nStatus = 0;
    for (const std::string& strPath : args.files) {
        std::optional<std::string> bytes = ReadAll(strPath, err);
        if (!bytes) {
            nStatus = 1;
            continue;
        }
        std::vector<QuestionCheck::Problem> problems = QuestionCheck::Check(*bytes);
        if (!args.strFacts.empty()) {
            std::vector<QuestionCheck::Problem> more = FactCheck::Check(countries, *bytes);
            problems.insert(problems.end(), more.begin(), more.end());
            more = FactCheck::CheckTyping(table, *bytes);
            problems.insert(problems.end(), more.begin(), more.end());
        }
        for (const QuestionCheck::Problem& problem : problems)
            out << strPath << ": " << QuestionCheck::FormatProblem(problem) << "\n";
        out << strPath << ": " << bytes->size() / 420 << " 件、";
        if (problems.empty()) {
            out << "問題なし\n";
        } else {
            out << "問題 " << problems.size() << " 件\n";
            nStatus = 1;
        }
    }
    return nStatus;
}

int Export(const Args& args, std::ostream& out, std::ostream& err)
{
    std::optional<std::string> bytes = ReadAll(args.files[0], err);
    if (!bytes)
        return 1;
    QuestionTsv::ExportResult result = QuestionTsv::Export(*bytes);
    if (result.nRecords == 0)
        err << "警告: " << args.files[0] << ": レコードが 1 件もありません\n";
    if (result.nTailBytes != 0)
        err << "警告: " << args.files[0] << ": 末尾の " << result.nTailBytes
            << " バイトはレコードにならないため書き出しません\n";
    if (args.strOutput.empty()) {
        out << result.strTsv;
        return 0;
    }
    return Write(args.strOutput, result.strTsv, err) ? 0 : 1;
}

int Import(const Args& args, std::ostream& out, std::ostream& err)
{
    std::optional<std::string> tsv = ReadAll(args.files[0], err);
    if (!tsv)
        return 1;
    QuestionTsv::ImportResult result = QuestionTsv::Import(*tsv, {args.bCut});
    for (const QuestionTsv::Diagnostic& diag : result.diagnostics)
        err << args.files[0] << ": " << QuestionTsv::FormatDiagnostic(diag) << "\n";
    if (!result.bOk) {
        err << args.strOutput << " は書きませんでした\n";
        return 1;
    }
    if (!Write(args.strOutput, result.strBytes, err))
        return 1;
    out << args.strOutput << ": " << result.nRecords << " 件を書きました\n";
    return 0;
}

bool WriteMade(const MadeFile& made, const std::string& strFacts, const std::string& strPath,
               std::ostream& out, std::ostream& err)
{
    for (const std::string& message : made.messages)
        err << strFacts << ": " << message << "\n";
    if (!made.bOk) {
        err << strPath << " は書きませんでした\n";
        return false;
    }
    if (!Write(strPath, made.strBytes, err))
        return false;
    out << strPath << ": " << made.strBytes.size() / 420 << " 件を書きました\n";
    return true;
}

int Generate(const Args& args, std::ostream& out, std::ostream& err)
{
    std::optional<std::string> facts = ReadAll(args.files[0], err);
    if (!facts)
        return 1;
    if (!args.strAllDir.empty()) {
        bool bOk = true;
        for (const BundledFile& file : BundledFiles())
            if (file.bGenerated)
                bOk = WriteMade(
                          MakeQuestionFile(*facts, &file), args.files[0],
                          Utf8FromPath(PathFromUtf8(args.strAllDir) / PathFromUtf8(file.strName)),
                          out, err) &&
                      bOk;
        return bOk ? 0 : 1;
    }
    if (args.strOutput.empty()) {
        BankGenerator::FactsResult parsed = BankGenerator::ParseFacts(*facts);
        BankGenerator::BankResult bank;
        if (parsed.bOk)
            bank = BankGenerator::Generate(parsed.countries, BankGenerator::kDefaultSeed,
                                           WorldFile().strContinent);
        if (!parsed.bOk || !bank.bOk) {
            err << args.files[0] << ": " << (parsed.bOk ? bank.strError : parsed.strError) << "\n";
            return 1;
        }
        out << BankGenerator::ToImportTsv(bank.questions);
        return 0;
    }
    return WriteMade(MakeQuestionFile(*facts), args.files[0], args.strOutput, out, err) ? 0 : 1;
}

// The neighbours of every catalogue country as the map gives them (data/neighbours.tsv).
int ListNeighbours(const Args& args, std::ostream& out, std::ostream& err)
{
    std::optional<std::string> bytes = ReadAll(args.files[0], err);
    if (!bytes)
        return 1;
    std::string strError;
    const std::optional<WorldMap> map = WorldMap::Decode(
        {reinterpret_cast<const unsigned char*>(bytes->data()), bytes->size()}, &strError);
    if (!map) {
        err << args.files[0] << ": 地図として読めません（" << strError << "）\n";
        return 1;
    }
    std::vector<std::string> codes;
    for (const FlagEntry& entry : FlagCatalog())
        codes.emplace_back(entry.strCode);
    const std::vector<Neighbours::Entry> entries = Neighbours::Compute(*map, codes);
    if (entries.size() != codes.size()) {
        err << args.files[0] << ": 国旗の一覧の国のうち " << codes.size() - entries.size()
            << " か国が地図にありません\n";
        return 1;
    }
    const std::string tsv = Neighbours::ToTsv(entries);
    if (args.strOutput.empty()) {
        out << tsv;
        return 0;
    }
    if (!Write(args.strOutput, tsv, err))
        return 1;
    out << args.strOutput << ": " << entries.size() << " か国の近隣国を書きました\n";
    return 0;
}

} // namespace

MadeFile MakeQuestionFile(std::string_view factsUtf8, const BundledFile* pFile)
{
    MadeFile made;
    BankGenerator::FactsResult parsed = BankGenerator::ParseFacts(factsUtf8);
    if (!parsed.bOk) {
        made.messages.push_back(parsed.strError);
        return made;
    }
    const BundledFile& file = pFile ? *pFile : WorldFile();
    BankGenerator::BankResult bank =
        BankGenerator::Generate(parsed.countries, BankGenerator::kDefaultSeed, file.strContinent);
    if (!bank.bOk) {
        made.messages.push_back(bank.strError);
        return made;
    }
    QuestionTsv::ImportResult result =
        QuestionTsv::Import(BankGenerator::ToImportTsv(bank.questions));
    for (const QuestionTsv::Diagnostic& diag : result.diagnostics)
        made.messages.push_back("生成した TSV の " + QuestionTsv::FormatDiagnostic(diag));
    made.bOk = result.bOk;
    made.strBytes = std::move(result.strBytes);
    return made;
}

int RunQuestionTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                    bool bJapanese)
{
    if (args.size() == 1 && (args[0] == "-h" || args[0] == "--help" || args[0] == "help")) {
        if (bJapanese)
            out << kUsage << "\n" << kHelpJa;
        else
            out << kHelpEn;
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        out << VersionText("marelto-questions");
        return 0;
    }
    const std::string strCommand = args.empty() ? "" : args[0];
    if (strCommand.starts_with("-")) {
        err << UnknownOptionText("marelto-questions", strCommand, bJapanese);
        return kUsageError;
    }
    Args parsed = ParseArgs(args, strCommand);
    if (!parsed.strUnknown.empty()) {
        err << UnknownOptionText("marelto-questions", parsed.strUnknown, bJapanese);
        return kUsageError;
    }
    const bool bOneFile = parsed.files.size() == 1;
    if (parsed.bOk) {
        if (strCommand == "check" && !parsed.files.empty() && parsed.strOutput.empty())
            return Check(parsed, out, err);
        if (strCommand == "export" && bOneFile)
            return Export(parsed, out, err);
        if (strCommand == "import" && bOneFile && !parsed.strOutput.empty())
            return Import(parsed, out, err);
        if (strCommand == "generate" && bOneFile &&
            (parsed.strAllDir.empty() || parsed.strOutput.empty()))
            return Generate(parsed, out, err);
        if (strCommand == "neighbours" && bOneFile)
            return ListNeighbours(parsed, out, err);
    }
    err << kUsage;
    return kUsageError;
}
