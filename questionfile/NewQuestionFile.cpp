#include "questionfile/NewQuestionFile.h"

#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/File.h"
#include "platform/LocalTime.h"

#include <cerrno>
#include <cstring>

namespace {

constexpr int kMaxSuffix = 1000;

} // namespace

// Only to a free name: a file made under it meanwhile is never replaced.
StampedFile WriteStampedFile(const std::filesystem::path& folder, std::string_view cp932Prefix,
                             std::string_view extension, std::string_view bytes, std::time_t now)
{
    StampedFile made;
    const std::string strStem = std::string(cp932Prefix) + FormatStamp(now);
    for (int n = 1; n <= kMaxSuffix; ++n) {
        const std::string strName =
            strStem + (n == 1 ? std::string() : "-" + std::to_string(n)) + std::string(extension);
        AtomicFile file;
        if (file.Open(folder / PathFromCp932(strName)) && file.Write(bytes) && file.CommitNew()) {
            made.bWritten = true;
            made.strName = strName;
            return made;
        }
        if (!file.TargetExisted()) {
            made.strError = file.Error();
            return made;
        }
    }
    made.strError = std::string("rename: ") + std::strerror(EEXIST);
    return made;
}

NewQuestionFile AdoptNewQuestionFile(ProfileStore& profile, const std::filesystem::path& folder,
                                     std::string_view cp932Prefix, std::string_view bytes,
                                     std::time_t now)
{
    NewQuestionFile made;
    const StampedFile file = WriteStampedFile(folder, cp932Prefix, ".txt", bytes, now);
    made.bWritten = file.bWritten;
    made.strName = file.strName;
    made.strError = file.strError;
    if (!made.bWritten)
        return made;
    const std::filesystem::path written = folder / PathFromCp932(made.strName);
    made.choice = ChooseQuestionFile(profile, folder, written);
    if (!made.choice.Ok())
        RemoveFile(written); // a file nobody can play is no use
    return made;
}

std::string NewQuestionFileMessage(const NewQuestionFile& made, std::string_view utf8What)
{
    if (!made.bWritten)
        return std::string(utf8What) + "を書き込めませんでした（" + made.strError + "）。";
    return ChoiceMessage(Cp932::ToUtf8(made.strName), made.choice);
}
