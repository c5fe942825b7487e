#include "platform/UserPlayFolder.h"

#include "platform/AtomicFile.h"
#include "platform/File.h"

#include <algorithm>
#include <cctype>
#include <system_error>

bool IsPlayFolderFile(const std::filesystem::path& name)
{
    std::string ext = Utf8FromPath(name.extension());
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".txt" || ext == ".ini" || ext == ".tsv";
}

namespace {

// Copies one file to a name that must still be free; false with the reason otherwise (a file
// that appeared there meanwhile is kept and counts as done).
bool CopyNew(const std::filesystem::path& from, const std::filesystem::path& to, bool& bCopied,
             std::string& strError)
{
    bCopied = false;
    File in;
    std::string bytes;
    if (!in.Open(from, File::modeRead) || !in.Read(bytes, in.GetLength())) {
        strError = Utf8FromPath(from.filename()) + ": " + in.Error();
        return false;
    }
    AtomicFile out;
    if (out.Open(to) && out.Write(bytes) && out.CommitNew()) {
        bCopied = true;
        return true;
    }
    if (out.TargetExisted())
        return true;
    strError = Utf8FromPath(to) + ": " + out.Error();
    return false;
}

} // namespace

UserPlayFolder SetUpUserPlayFolder(const std::filesystem::path& programDir,
                                   const std::filesystem::path& userDir)
{
    UserPlayFolder result;
    std::error_code ec;
    std::filesystem::create_directories(userDir, ec);
    if (!CanCreateFilesIn(userDir)) {
        result.strError = Utf8FromPath(userDir) + ": " + (ec ? ec.message() : "not writable");
        return result;
    }
    result.bOk = true;
    std::filesystem::directory_iterator it(programDir, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::filesystem::path name = it->path().filename();
        if (!IsPlayFolderFile(name) || KindOf(it->path()) != PathKind::Regular ||
            KindOf(userDir / name) != PathKind::Missing)
            continue;
        bool bCopied = false;
        // A file that cannot be copied is told; the others still go.
        if (CopyNew(it->path(), userDir / name, bCopied, result.strError) && bCopied)
            result.copied.push_back(Utf8FromPath(name));
    }
    if (ec)
        result.strError = Utf8FromPath(programDir) + ": " + ec.message();
    std::sort(result.copied.begin(), result.copied.end());
    return result;
}
