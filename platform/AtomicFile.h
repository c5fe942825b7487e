#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The replacement of a file, written in pieces to a temporary beside it and renamed over it by
// Commit, so a crash, a full disk or an I/O error leaves either the old file or the new one
// whole. An uncommitted temporary is removed with the object. The new file keeps the old one's
// permissions. A target that is not a regular file (a FIFO, device, folder) or is a link is
// never replaced: Open refuses it before a temporary is made (a link with errno ELOOP), and
// Commit a FIFO, device or folder that appeared since.
class AtomicFile
{
  public:
    AtomicFile() = default;
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool Open(const std::filesystem::path& target);
    bool Write(std::string_view bytes);
    // Flushes the temporary to disk and renames it over the target.
    bool Commit();
    // The same, but only where no file stands yet: when one does (also one that appeared since
    // Open), nothing is replaced, the temporary goes and TargetExisted() says so.
    bool CommitNew();

    const std::string& Error() const { return m_strError; }
    // The system's errno of the failure; 0 for a target that is no regular file.
    int Errno() const { return m_nErrno; }
    bool TargetExisted() const { return m_bExisted; }
    bool NotRegular() const { return m_bNotRegular; }

  private:
    bool Finish(bool bReplace);
    bool Fail(const char* szWhat, int nErrno);
    bool RefuseNotRegular();
    void Discard();

    int m_fd = -1;
    int m_nErrno = 0;
    std::filesystem::path m_target;
    std::filesystem::path m_temp;
    std::string m_strError;
    bool m_bExisted = false;
    bool m_bNotRegular = false;
};

// Writes the whole file beside the target and renames it over (AtomicFile in one call).
// False on failure (old file kept), with the reason and the errno.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::string* pError = nullptr, int* pErrno = nullptr);

// True when a new file can be made in the folder: one is made and removed again.
bool CanCreateFilesIn(const std::filesystem::path& dir);

// A temporary's name: the target's name, '.' and six letters or digits, for a target the
// program replaces (a ".txt" or ".ini" file, in any case) or the folder probe.
bool IsTemporaryName(std::string_view utf8Name);
// Removes from dir the temporaries a save that was cut short (the program killed, the power
// gone) left behind; one a save still writes is in use and stays. Returns how many went.
int RemoveStaleTemporaries(const std::filesystem::path& dir);
