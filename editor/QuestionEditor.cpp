#include "editor/QuestionEditor.h"

#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/File.h"
#include "quiz/QuestionRecord.h"

#include <algorithm>
#include <cerrno>

namespace {

constexpr unsigned kWriterMode = File::modeReadWrite | File::modeNoFollow;
constexpr std::size_t kCopyChunk = 2496 * kRecordSize; // about a megabyte of whole records

EditResult OpenError(const File& file)
{
    return {file.NotRegular() ? EditStatus::NotRegular : EditStatus::OpenError, {}, 0, {}};
}

EditResult IoError(const std::string& strError, int nErrno = 0)
{
    return {EditStatus::IoError, strError, 0, {}, 0, nErrno};
}

EditResult Done(std::uint64_t nLength)
{
    return {EditStatus::Ok, {}, RecordCount(nLength), {}, nLength};
}

// A writer's failed open: a missing file is the open error the editor always showed; a link, a
// read-only file or folder says why it cannot be written.
EditResult WriteOpenFailure(const File& file)
{
    switch (file.Errno()) {
    case ELOOP:
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return {EditStatus::NotWritable, file.Error(), 0, {}, 0, file.Errno()};
    default:
        return OpenError(file);
    }
}

EditResult OpenToWrite(File& file, const std::filesystem::path& path)
{
    return file.Open(path, kWriterMode) ? Done(file.GetLength()) : WriteOpenFailure(file);
}

// Copies the bytes [nFrom, nTo) of one file into the replacement of another.
bool CopyRange(File& src, AtomicFile& dst, std::uint64_t nFrom, std::uint64_t nTo,
               std::string& buffer, std::string& strError, int& nErrno)
{
    if (nFrom >= nTo)
        return true;
    if (!src.Seek(nFrom)) {
        strError = src.Error();
        nErrno = src.Errno();
        return false;
    }
    while (nFrom < nTo) {
        const std::size_t nWant =
            static_cast<std::size_t>(std::min<std::uint64_t>(kCopyChunk, nTo - nFrom));
        if (!src.Read(buffer, nWant)) {
            strError = src.Error();
            nErrno = src.Errno();
            return false;
        }
        // The file shrank under us: better to keep it than to write a shortened copy.
        if (buffer.size() != nWant) {
            strError = "read: unexpected end of file";
            return false;
        }
        if (!dst.Write(buffer)) {
            strError = dst.Error();
            nErrno = dst.Errno();
            return false;
        }
        nFrom += nWant;
    }
    return true;
}

// The file made anew: its bytes [0, nFrom), then insert, then [nTo, nEnd), written beside it
// and renamed over it once flushed.
EditResult Rewrite(File& src, const std::filesystem::path& path, std::uint64_t nFrom,
                   std::uint64_t nTo, std::uint64_t nEnd, std::string_view insert)
{
    AtomicFile dst;
    if (!dst.Open(path))
        return {EditStatus::NotWritable, dst.Error(), 0, {}, 0, dst.Errno()};
    std::string buffer;
    std::string strError;
    int nErrno = 0;
    if (!CopyRange(src, dst, 0, nFrom, buffer, strError, nErrno))
        return IoError(strError, nErrno);
    if (!dst.Write(insert))
        return IoError(dst.Error(), dst.Errno());
    if (!CopyRange(src, dst, nTo, nEnd, buffer, strError, nErrno))
        return IoError(strError, nErrno);
    src.Close();
    if (!dst.Commit())
        return IoError(dst.Error(), dst.Errno());
    return Done(nFrom + insert.size() + (nEnd - nTo));
}

} // namespace

namespace QuestionFile {

EditResult Count(const std::filesystem::path& path)
{
    File file;
    if (!file.Open(path, File::modeRead))
        return OpenError(file);
    return Done(file.GetLength());
}

EditResult Read(const std::filesystem::path& path, std::int64_t nNumber)
{
    File file;
    if (!file.Open(path, File::modeRead))
        return OpenError(file);
    std::string record;
    if (!file.Seek(RecordOffset(nNumber - 1)) || !file.Read(record, kRecordSize))
        return IoError(file.Error(), file.Errno());
    EditResult result = Done(file.GetLength());
    result.strRecord = std::move(record);
    return result;
}

EditResult Append(const std::filesystem::path& path, std::string_view record)
{
    File src;
    if (EditResult opened = OpenToWrite(src, path); !opened.Ok())
        return opened;
    const std::uint64_t nLength = src.GetLength();
    return Rewrite(src, path, nLength, nLength, nLength, record);
}

EditResult Overwrite(const std::filesystem::path& path, std::int64_t nNumber,
                     std::string_view record)
{
    File src;
    if (EditResult opened = OpenToWrite(src, path); !opened.Ok())
        return opened;
    const std::uint64_t nLength = src.GetLength();
    const std::uint64_t nAt = RecordOffset(nNumber - 1);
    if (nNumber < 1 || nAt + kRecordSize > nLength)
        return IoError("write: the record is no longer in the file");
    return Rewrite(src, path, nAt, nAt + kRecordSize, nLength, record);
}

EditResult Remove(const std::filesystem::path& path, std::int64_t nIndex)
{
    File src;
    if (EditResult opened = OpenToWrite(src, path); !opened.Ok())
        return opened;
    const std::int64_t nCount = RecordCount(src.GetLength());
    // The partial tail, if any, is no record and is left out.
    const std::uint64_t nEnd = RecordOffset(nCount);
    const bool bListed = nIndex >= 0 && nIndex < nCount;
    const std::uint64_t nSkipFrom = bListed ? RecordOffset(nIndex) : nEnd;
    const std::uint64_t nSkipTo = bListed ? RecordOffset(nIndex + 1) : nEnd;
    return Rewrite(src, path, nSkipFrom, nSkipTo, nEnd, {});
}

EditResult Create(const std::filesystem::path& path)
{
    File file;
    if (!file.Open(path,
                   File::modeCreate | File::modeNoTruncate | File::modeWrite | File::modeNoFollow))
        return WriteOpenFailure(file);
    const std::uint64_t nOld = file.GetLength();
    const std::string strRecord = TemplateRecord();
    if (!file.SeekToEnd() || !file.Write(strRecord + strRecord + strRecord)) {
        const EditResult failed = IoError(file.Error(), file.Errno());
        file.SetLength(nOld); // best effort; the write error is what the user needs to see
        return failed;
    }
    return Done(file.GetLength());
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
