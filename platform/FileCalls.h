#pragma once

#include "platform/File.h"

#include <cstdint>
#include <filesystem>
#include <optional>

// The system's half of File and AtomicFile: one call each, written for POSIX in FileCalls.cpp
// and for Win32 in FileCalls_win.cpp. Everything they share, the checks, loops, messages and the
// test fault, is in File.cpp and AtomicFile.cpp. Files are C runtime descriptors; a failure
// comes back as an errno value (0: done), so messages read alike on every system. Only the file
// code includes this.
namespace FileCalls {

// Every byte, in as many Write calls as it takes; honours the test fault (FileFaults). Shared.
// nWritten: how many bytes went out, also on failure.
bool WriteAll(int fd, std::string_view bytes, int& nErrno, std::uint64_t* pWritten = nullptr);

enum class Opened
{
    Yes,
    NotRegular, // a FIFO, socket, device or folder: closed again without a read or write
    Failed
};

// Opens with File's flags; never waits on a FIFO or device.
Opened Open(const std::filesystem::path& path, unsigned nFlags, int& fd, int& nErrno);
int Close(int fd);
// One read of at most nCount bytes: 0 at the end of the file, -1 with nErrno on an error.
std::int64_t Read(int fd, char* pData, std::size_t nCount, int& nErrno);
// At least one byte of nCount, or -1 with nErrno.
std::int64_t Write(int fd, const char* pData, std::size_t nCount, int& nErrno);
int Seek(int fd, std::uint64_t nOffset);
int SeekToEnd(int fd);
std::optional<FileStamp> Stamp(int fd);
int Flush(int fd);
// Moves the file's end; the position stays.
int SetLength(int fd, std::uint64_t nLength);

// A new file beside target, named target.XXXXXX, with target's permissions where it stands. It
// counts as in use until closed: RemoveIfUnused leaves it alone.
Opened CreateTemporary(const std::filesystem::path& target, int& fd, std::filesystem::path& temp,
                       int& nErrno);
// Removes the regular file at path unless some program has it open as a temporary.
bool RemoveIfUnused(const std::filesystem::path& path);
// Moves from over to, replacing what stands there.
int Replace(const std::filesystem::path& from, const std::filesystem::path& to);
// Makes a rename into dir last where the system needs the folder put on disk for that.
void SyncFolder(const std::filesystem::path& dir);

} // namespace FileCalls
