#include "editor/QuestionEditor.h"

#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/File.h"
#include "quiz/QuestionRecord.h"

#include <algorithm>

namespace {

constexpr unsigned kEditorMode = File::modeReadWrite | File::modeNoTruncate;
constexpr std::size_t kCopyChunk = 2496 * kRecordSize; // about a megabyte of whole records

EditResult OpenError(const File& file)
{
    return {file.NotRegular() ? EditStatus::NotRegular : EditStatus::OpenError, {}, 0, {}};
}

EditResult IoError(const std::string& strError)
{
    return {EditStatus::IoError, strError, 0, {}};
}

EditResult Done(std::uint64_t nLength)
{
    return {EditStatus::Ok, {}, RecordCount(nLength), {}, nLength};
}

// Appends at the end; a write that fails part-way is cut off again.
EditResult AppendOrTakeBack(const std::filesystem::path& path, unsigned nMode,
                            std::string_view bytes)
{
    File file;
    if (!file.Open(path, nMode))
        return OpenError(file);
    const std::uint64_t nOld = file.GetLength();
    if (!file.SeekToEnd())
        return IoError(file.Error());
    if (!file.Write(bytes)) {
        const std::string strError = file.Error();
        file.SetLength(nOld); // best effort; the write error is what the user needs to see
        return IoError(strError);
    }
    return Done(nOld + bytes.size());
}

// Copies the bytes [nFrom, nTo) of one file into the replacement of another.
bool CopyRange(File& src, AtomicFile& dst, std::uint64_t nFrom, std::uint64_t nTo,
               std::string& buffer, std::string& strError)
{
    if (nFrom >= nTo)
        return true;
    if (!src.Seek(nFrom)) {
        strError = src.Error();
        return false;
    }
    while (nFrom < nTo) {
        const std::size_t nWant =
            static_cast<std::size_t>(std::min<std::uint64_t>(kCopyChunk, nTo - nFrom));
        if (!src.Read(buffer, nWant)) {
            strError = src.Error();
            return false;
        }
        // The file shrank under us: better to keep it than to write a shortened copy.
        if (buffer.size() != nWant) {
            strError = "read: unexpected end of file";
            return false;
        }
        if (!dst.Write(buffer)) {
            strError = dst.Error();
            return false;
        }
        nFrom += nWant;
    }
    return true;
}

} // namespace

namespace QuestionFile {

EditResult Count(const std::filesystem::path& path)
{
    File file;
    if (!file.Open(path, kEditorMode))
        return OpenError(file);
    return Done(file.GetLength());
}

EditResult Read(const std::filesystem::path& path, std::int64_t nNumber)
{
    File file;
    if (!file.Open(path, kEditorMode))
        return OpenError(file);
    std::string record;
    if (!file.Seek(RecordOffset(nNumber - 1)) || !file.Read(record, kRecordSize))
        return IoError(file.Error());
    EditResult result = Done(file.GetLength());
    result.strRecord = std::move(record);
    return result;
}

EditResult Append(const std::filesystem::path& path, std::string_view record)
{
    return AppendOrTakeBack(path, kEditorMode, record);
}

EditResult Overwrite(const std::filesystem::path& path, std::int64_t nNumber,
                     std::string_view record)
{
    File file;
    if (!file.Open(path, kEditorMode))
        return OpenError(file);
    if (!file.Seek(RecordOffset(nNumber - 1)) || !file.Write(record))
        return IoError(file.Error());
    return Done(file.GetLength());
}

EditResult Remove(const std::filesystem::path& path, std::int64_t nIndex)
{
    File src;
    if (!src.Open(path, kEditorMode))
        return OpenError(src);
    const std::int64_t nCount = RecordCount(src.GetLength());
    AtomicFile dst;
    if (!dst.Open(path))
        return IoError(dst.Error());

    // The partial tail, if any, is no record and is left out.
    std::string buffer;
    std::string strError;
    const std::uint64_t nEnd = RecordOffset(nCount);
    const bool bListed = nIndex >= 0 && nIndex < nCount;
    const std::uint64_t nSkipFrom = bListed ? RecordOffset(nIndex) : nEnd;
    const std::uint64_t nSkipTo = bListed ? RecordOffset(nIndex + 1) : nEnd;
    if (!CopyRange(src, dst, 0, nSkipFrom, buffer, strError) ||
        !CopyRange(src, dst, nSkipTo, nEnd, buffer, strError))
        return IoError(strError);
    if (!dst.Commit())
        return IoError(dst.Error());
    return {EditStatus::Ok, {}, bListed ? nCount - 1 : nCount, {}};
}

EditResult Create(const std::filesystem::path& path)
{
    const std::string strRecord = TemplateRecord();
    return AppendOrTakeBack(path, File::modeCreate | File::modeNoTruncate | File::modeWrite,
                            strRecord + strRecord + strRecord);
}

bool IsProtected(const std::filesystem::path& chosen, std::string_view configuredName)
{
    // File names here are UTF-8; a name cp932 cannot spell matches neither protected name.
    const std::optional<std::string> title =
        Cp932::FromUtf8(Utf8FromPath(chosen.filename().stem()));
    if (!title)
        return false;
    const std::string strKey = *title + ".txt";
    return strKey == configuredName || strKey == "ReadMe.txt";
}

} // namespace QuestionFile

void LoadMembers(EditMembers& members, std::string_view record)
{
    const QuestionRecord rec = SplitRecord(record);
    members.strQuestion = rec.strBlock;
    members.answers = rec.answers;
    if (const std::optional<int> nCorrect = rec.CorrectIndex())
        members.nCorrectAnswer = *nCorrect;
}

std::string WriteMembers(EditMembers& members)
{
    const std::string strRecord =
        ComposeRecord(members.strQuestion, members.answers, members.nCorrectAnswer);
    for (std::size_t i = 0; i < 4; ++i)
        members.answers[i] = strRecord.substr(kMarkerOffsets[i] + 1, kAnswerSize);
    return strRecord;
}

std::optional<std::string> SavedFieldBytes(std::string_view member, std::string_view shownUtf8)
{
    if (Cp932::ToUtf8(member) == shownUtf8)
        return std::string(member);
    return Cp932::FromUtf8(shownUtf8);
}
