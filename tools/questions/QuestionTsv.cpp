#include "tools/questions/QuestionTsv.h"

#include "platform/Cp932.h"
#include "platform/Tsv.h"
#include "quiz/QuestionRecord.h"
#include "tools/questions/FieldText.h"

#include <algorithm>
#include <array>

namespace QuestionTsv {
namespace {

constexpr std::array<const char*, 7> kFieldNames = {"国コード", "問題文", "解答1", "解答2",
                                                    "解答3",    "解答4",  "正解"};
constexpr std::size_t kFieldCount = kFieldNames.size();

bool HasAsciiCode(std::string_view record)
{
    for (std::size_t i = 0; i < kCodeSize; ++i)
        if (record[i] < 0x21 || record[i] > 0x7E)
            return false;
    return true;
}

std::string ExportMarkers(std::string_view record)
{
    std::string digits;
    bool bPlain = true;
    for (std::size_t i = 0; i < 4; ++i) {
        char c = record[kMarkerOffsets[i]];
        if (c == kCorrectMarker)
            digits += static_cast<char>('1' + i);
        else if (c != ' ')
            bPlain = false;
    }
    if (bPlain)
        return digits.empty() ? "0" : digits;
    std::string out = "=";
    for (std::size_t nOffset : kMarkerOffsets) {
        char c = record[nOffset];
        out += c == ' ' ? std::string("\\x20") : FieldText::Escape(std::string_view(&c, 1));
    }
    return out;
}

// One line's work: the diagnostics go to the shared list, the record to strRecord.
class LineImporter
{
  public:
    LineImporter(int nLine, const ImportOptions& options, std::vector<Diagnostic>& diagnostics)
        : m_nLine(nLine), m_options(options), m_diagnostics(diagnostics)
    {
    }

    bool Run(const std::vector<std::string_view>& fields, std::string& strRecord);

  private:
    void Report(std::size_t nField, std::string strMessage, bool bError)
    {
        m_diagnostics.push_back({m_nLine, nField < kFieldCount ? kFieldNames[nField] : "",
                                 std::move(strMessage), bError});
        m_bFailed = m_bFailed || bError;
    }
    // The field's bytes without padding, fitted to nWidth (hard) and nKeep (what is shown/kept).
    std::string Text(std::size_t nField, std::string_view text, std::size_t nWidth,
                     std::size_t nKeep, const char* szLost);
    std::array<char, 4> Markers(std::string_view text);

    int m_nLine;
    const ImportOptions& m_options;
    std::vector<Diagnostic>& m_diagnostics;
    bool m_bFailed = false;
};

std::string LineImporter::Text(std::size_t nField, std::string_view text, std::size_t nWidth,
                               std::size_t nKeep, const char* szLost)
{
    FieldText::Decoded decoded = FieldText::Unescape(text);
    if (!decoded.bOk) {
        Report(nField, decoded.strError, true);
        return {};
    }
    std::string bytes(FieldText::TrimPadding(decoded.strBytes));
    const std::string strSize = std::to_string(bytes.size()) + " バイト";
    if (bytes.size() > nKeep && m_options.bCut) {
        bytes.resize(Cp932::CharBoundary(bytes, nKeep));
        Report(nField, strSize + "を " + std::to_string(bytes.size()) + " バイトに切りました",
               false);
    } else if (bytes.size() > nWidth) {
        Report(nField,
               strSize + "あり、" + std::to_string(nWidth) +
                   " バイトに収まりません（--cut を付けると文字の境目で切ります）",
               true);
    } else if (bytes.size() > nKeep) {
        Report(nField,
               strSize + "あり、最後の " + std::to_string(bytes.size() - nKeep) + " バイトは" +
                   szLost,
               false);
    }
    return bytes;
}

std::array<char, 4> LineImporter::Markers(std::string_view text)
{
    std::array<char, 4> markers{' ', ' ', ' ', ' '};
    if (!text.empty() && text[0] == '=') {
        FieldText::Decoded decoded = FieldText::Unescape(text.substr(1));
        if (!decoded.bOk)
            Report(6, decoded.strError, true);
        else if (decoded.strBytes.size() != 4)
            Report(6, "「=」の後には印の 4 バイトが要ります", true);
        else
            std::copy(decoded.strBytes.begin(), decoded.strBytes.end(), markers.begin());
        return markers;
    }
    bool bValid = !text.empty() && (text == "0" || text.find('0') == std::string_view::npos);
    for (char c : text) {
        if (c < '0' || c > '4') {
            bValid = false;
            break;
        }
        if (c == '0')
            continue;
        char& marker = markers[static_cast<std::size_t>(c - '1')];
        bValid = bValid && marker == ' ';
        marker = kCorrectMarker;
    }
    if (!bValid)
        Report(6, "正解は 0（なし）か 1〜4 の番号です: 「" + std::string(text) + "」", true);
    return markers;
}

bool LineImporter::Run(const std::vector<std::string_view>& fields, std::string& strRecord)
{
    if (fields.size() != kFieldCount) {
        Report(kFieldCount,
               "列が " + std::to_string(fields.size()) + " 個あります（" +
                   std::to_string(kFieldCount) + " 列必要）",
               true);
        return false;
    }
    std::string code;
    if (!fields[0].empty()) {
        FieldText::Decoded decoded = FieldText::Unescape(fields[0]);
        if (!decoded.bOk)
            Report(0, decoded.strError, true);
        else if (decoded.strBytes.size() != kCodeSize)
            Report(0, "国コードは 3 バイトです（空欄なら問題文が先頭から 100 バイトの欄）", true);
        else
            code = decoded.strBytes;
    }
    // Without a code the question field is the whole block, which the quiz shows from byte 3.
    const bool bCode = !fields[0].empty();
    const std::size_t nBlock = bCode ? kQuestionBlockSize - kCodeSize : kQuestionBlockSize;
    const std::size_t nShown = bCode ? kQuizQuestionSize : kQuizQuestionOffset + kQuizQuestionSize;
    std::string question = Text(1, fields[1], nBlock, nShown, "クイズに表示されません");

    std::array<std::string, 4> answers;
    for (std::size_t i = 0; i < 4; ++i)
        answers[i] = Text(2 + i, fields[2 + i], kAnswerSize, kAnswerSize - 1,
                          "編集画面で書き直すと失われます");
    std::array<char, 4> markers = Markers(fields[6]);
    if (m_bFailed)
        return false;

    // The editor's writer keeps 78 answer bytes; a file made elsewhere may use the 79th, and
    // the trip through the table must keep it, so the blocks are laid out here.
    strRecord = ComposeQuestionBlock(code + question);
    for (std::size_t i = 0; i < 4; ++i) {
        strRecord += markers[i];
        strRecord += answers[i];
        strRecord.append(kAnswerSize - answers[i].size(), ' ');
    }
    return true;
}

} // namespace

std::string ExportRecord(std::string_view record)
{
    std::string out;
    if (HasAsciiCode(record)) {
        out += FieldText::Escape(record.substr(0, kCodeSize));
        out += '\t';
        out += FieldText::Escape(
            FieldText::TrimPadding(record.substr(kCodeSize, kQuestionBlockSize - kCodeSize)));
    } else {
        out += '\t';
        out += FieldText::Escape(FieldText::TrimPadding(record.substr(0, kQuestionBlockSize)));
    }
    for (std::size_t nOffset : kMarkerOffsets) {
        out += '\t';
        out += FieldText::Escape(FieldText::TrimPadding(record.substr(nOffset + 1, kAnswerSize)));
    }
    out += '\t';
    out += ExportMarkers(record);
    return out;
}

ExportResult Export(std::string_view fileBytes)
{
    ExportResult result;
    result.nRecords = static_cast<std::size_t>(RecordCount(fileBytes.size()));
    result.nTailBytes = fileBytes.size() - result.nRecords * kRecordSize;
    result.strTsv = std::string(kHeader) + "\n";
    for (std::size_t i = 0; i < result.nRecords; ++i)
        result.strTsv += ExportRecord(fileBytes.substr(i * kRecordSize, kRecordSize)) + "\n";
    return result;
}

std::string FormatDiagnostic(const Diagnostic& diag)
{
    std::string out = diag.bError ? "" : "警告: ";
    if (diag.nLine > 0)
        out += std::to_string(diag.nLine) + " 行目 ";
    if (!diag.strField.empty())
        out += diag.strField + ": ";
    return out + diag.strMessage;
}

ImportResult Import(std::string_view tsv, const ImportOptions& options)
{
    ImportResult result;
    if (tsv.starts_with("\xEF\xBB\xBF"))
        tsv.remove_prefix(3);
    bool bFailed = false;
    Tsv::LineReader lines(tsv);
    for (std::string_view line; lines.Next(line);) {
        std::vector<std::string_view> fields = Tsv::SplitFields(line);
        if (line.empty() || fields[0] == "code")
            continue;
        std::string strRecord;
        if (LineImporter(lines.Number(), options, result.diagnostics).Run(fields, strRecord)) {
            result.strBytes += strRecord;
            ++result.nRecords;
        } else {
            bFailed = true;
        }
    }
    if (!bFailed && result.nRecords == 0)
        result.diagnostics.push_back({0, "", "レコードが 1 件もありません", false});
    result.bOk = !bFailed;
    if (bFailed)
        result.strBytes.clear();
    return result;
}

} // namespace QuestionTsv
