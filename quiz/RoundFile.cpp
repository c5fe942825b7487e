#include "quiz/RoundFile.h"

#include "platform/Cp932.h"

namespace {

constexpr std::size_t kNameShown = 200;

std::string Text(std::string_view utf8)
{
    return Cp932::FromUtf8(utf8).value_or(std::string());
}

} // namespace

std::string NotRegularText()
{
    return Text("通常のファイルではありません（フォルダー、デバイス、名前付きパイプなど）。");
}

std::string LengthProblemText(LengthProblem problem, std::uint64_t nLength)
{
    const std::string strLength = std::to_string(nLength);
    switch (problem) {
    case LengthProblem::NoRecord:
        return Text("1問分（420バイト）に満たないファイルです（") + strLength + Text("バイト）。");
    case LengthProblem::PartialRecord:
        return Text("ファイルの大きさ（") + strLength +
               Text("バイト）が1問分の420バイトで割り切れません。");
    case LengthProblem::None:
        break;
    }
    return {};
}

std::string ShortName(std::string_view cp932Name)
{
    if (cp932Name.size() <= kNameShown)
        return std::string(cp932Name);
    return std::string(cp932Name.substr(0, Cp932::CharBoundary(cp932Name, kNameShown))) + "...";
}

DrawProblem RoundFile::Refuse(DrawProblem problem)
{
    m_file.Close();
    return problem;
}

DrawProblem RoundFile::Open(const std::filesystem::path& path)
{
    m_nLength = 0;
    m_nIndex = 0;
    const bool bSameFile = m_seen && m_seenPath == path;
    if (!m_file.Open(path, File::modeRead)) {
        if (m_file.NotRegular())
            return DrawProblem::NotRegular;
        return bSameFile ? DrawProblem::Changed : DrawProblem::OpenFailed;
    }
    const std::optional<FileStamp> stamp = m_file.Stamp();
    if (!stamp)
        return Refuse(DrawProblem::Changed);
    if (bSameFile && (stamp->nDevice != m_seen->nDevice || stamp->nInode != m_seen->nInode ||
                      stamp->nSize < m_seen->nSize))
        return Refuse(DrawProblem::Changed);
    m_nLength = stamp->nSize;
    switch (CheckLength(m_nLength)) {
    case LengthProblem::NoRecord:
        return Refuse(DrawProblem::NoRecord);
    case LengthProblem::PartialRecord:
        // Whole records before a stray tail (a line end an editor added, say) still play, as
        // they always did; the round says once that the tail is left out.
        if (Records() == 0)
            return Refuse(DrawProblem::PartialRecord);
        break;
    case LengthProblem::None:
        break;
    }
    m_seen = stamp;
    m_seenPath = path;
    return DrawProblem::None;
}

DrawProblem RoundFile::Read(std::int64_t nIndex, std::string& record)
{
    m_nIndex = nIndex;
    record.clear();
    if (!m_file.IsOpen() || nIndex < 0 || nIndex >= Records())
        return Refuse(DrawProblem::PastEnd);
    // A record cut short was shortened after Open: never shown in part.
    if (!m_file.Seek(RecordOffset(nIndex)) || !m_file.Read(record, kRecordSize) ||
        record.size() != kRecordSize) {
        record.clear();
        return Refuse(DrawProblem::Changed);
    }
    m_file.Close();
    return DrawProblem::None;
}

std::string RoundFile::TakeTailNotice(std::string_view cp932Name)
{
    if (m_bTailNoticed || CheckLength(m_nLength) != LengthProblem::PartialRecord)
        return {};
    m_bTailNoticed = true;
    const std::uint64_t nTail = m_nLength % kRecordSize;
    return Text("問題ファイル「") + ShortName(cp932Name) + Text("」\n") +
           LengthProblemText(LengthProblem::PartialRecord, m_nLength) + "\n" + Text("末尾の") +
           std::to_string(nTail) + Text("バイトは出題しません（") + std::to_string(Records()) +
           Text("問で出題します）。");
}

std::string RoundFile::Message(DrawProblem problem, std::string_view cp932Name) const
{
    std::string strReason;
    switch (problem) {
    case DrawProblem::None:
    case DrawProblem::OpenFailed:
        break;
    case DrawProblem::NotRegular:
        strReason = NotRegularText();
        break;
    case DrawProblem::NoRecord:
        strReason = LengthProblemText(LengthProblem::NoRecord, m_nLength);
        break;
    case DrawProblem::PartialRecord:
        strReason = LengthProblemText(LengthProblem::PartialRecord, m_nLength);
        break;
    case DrawProblem::Changed:
        strReason = Text("出題中にファイルが短くなったか、置き換えられたか、消されたか、"
                         "読めなくなりました。");
        break;
    case DrawProblem::PastEnd:
        strReason = std::to_string(m_nIndex + 1) + Text("問目がありません（") +
                    std::to_string(Records()) + Text("問のファイルです）。");
        break;
    }
    // ファイルオープンエラー
    std::string strText =
        "\x83\x74\x83\x40\x83\x43\x83\x8b\x83\x49\x81\x5b\x83\x76\x83\x93\x83\x47\x83\x89\x81\x5b";
    if (!cp932Name.empty())
        strText += "\n" + ShortName(cp932Name);
    if (!strReason.empty())
        strText += "\n" + strReason;
    return strText;
}
