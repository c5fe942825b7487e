#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Where a file is, what it is: dev and inode tell a replaced file from one rewritten in place.
struct FileStamp
{
    std::uint64_t nDevice = 0;
    std::uint64_t nInode = 0;
    std::uint64_t nSize = 0;
};

// File access with the open modes the question files have always been opened with:
// read/write without truncation for every reader, create (with or without truncation) for writers.
// Only regular files open: a FIFO, socket, device or folder in a file's place is refused at once
// (NotRegular) and never read or written, so no open waits for a writer or reader that never comes.
class File
{
  public:
    enum OpenFlags : unsigned
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        modeAppend = 0x4000, // every write goes to the end, as one write
        // The path's last part is never followed: a link there does not open (ELOOP), so a
        // write never goes through a link in the folder to a file elsewhere.
        modeNoFollow = 0x8000,
    };

    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // False when the file cannot be opened; Error() then says why.
    bool Open(const std::filesystem::path& path, unsigned nFlags);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    // The last Open failed because something other than a regular file stands there.
    bool NotRegular() const { return m_bNotRegular; }

    // Read errors and short writes are reported, never hidden: the caller shows Error().
    std::uint64_t GetLength() const;
    std::optional<FileStamp> Stamp() const;
    bool Seek(std::uint64_t nOffset);
    bool SeekToEnd();
    // Reads up to nCount bytes; fewer at the end of the file. False on an I/O error.
    bool Read(std::string& out, std::size_t nCount);
    // False when not every byte was written; Written() then says how many were.
    bool Write(std::string_view bytes);
    std::uint64_t Written() const { return m_nWritten; }
    bool Flush();
    // Cuts or extends the file; writers use it to take back a record they could not finish.
    bool SetLength(std::uint64_t nLength);

    const std::filesystem::path& Path() const { return m_path; }
    const std::string& Error() const { return m_strError; }
    // The system's errno of the last failure (0: none), for a reason in the user's words.
    int Errno() const { return m_nErrno; }

  private:
    bool Fail(const char* szWhat, int nErrno);
    bool RefuseNotRegular();

    int m_fd = -1;
    int m_nErrno = 0;
    std::filesystem::path m_path;
    std::string m_strError;
    bool m_bNotRegular = false;
    std::uint64_t m_nWritten = 0;
};

// What stands at a path, following links, without opening it.
enum class PathKind
{
    Missing, // nothing, or it cannot be looked at
    Regular,
    Other, // a FIFO, socket, device or folder
};
PathKind KindOf(const std::filesystem::path& path, std::uint64_t* pSize = nullptr);

// The reason File and AtomicFile (platform/AtomicFile.h) give for a path that is no regular file.
extern const char* const kNotRegularError;

// A file named in the settings (cp932), in the current directory: the directory, a separator
// and the name, joined as text, so even a name that starts with a separator stays inside it.
// Empty when the name is no valid cp932 text or the directory cannot be read.
std::optional<std::filesystem::path> PathInCurrentDir(std::string_view cp932Name);

// File names travel through the program as UTF-8 text. A plain std::string becomes a path in
// the system's narrow encoding, which is UTF-8 on Linux but not on Windows, so names and paths
// convert through these two.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);
// A file name as the settings and the question files hold it (cp932).
std::filesystem::path PathFromCp932(std::string_view cp932);

// Marelto writes only regular files directly in its play folder. A name read from a file (the
// question file's, UTF-8) is one such file when it is a single plain name: not empty, not "." or
// "..", without '/', '\\' or ':' (a separator or a drive on one system or the other).
bool IsPlainFileName(std::string_view utf8Name);
// What stands at the path is itself a link (a symbolic link, a junction).
bool IsLink(const std::filesystem::path& path);
// UTF-8: why a file could not be written, for the learner: a full disk, a folder or file that
// may not be written, a link that is never written through; else the system's words.
std::string WriteErrorText(int nErrno);

// Moves a file to a name that must still be free; false with errno EEXIST when it is taken.
bool RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to);

// Removes one file (never a folder). False with the reason when it cannot.
bool RemoveFile(const std::filesystem::path& path, std::string* pError = nullptr);

// Tests make writes fail after a given number of bytes, as a full disk would.
namespace FileFaults {
void FailWritesAfter(std::int64_t nBytes);
void Reset();
} // namespace FileFaults
