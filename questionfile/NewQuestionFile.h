#pragma once

#include "questionfile/QuestionFileChoice.h"

#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

class ProfileStore;

// A question file that a command made (the review, the 図鑑's drill) and what became of it.
struct NewQuestionFile
{
    bool bWritten = false;
    std::string strName;       // cp932, as the settings store it; set when written
    std::string strError;      // the system's reason when it was not written
    QuestionFileChoice choice; // once written: whether it became the question file

    bool Ok() const { return bWritten && choice.Ok(); }
};

// A file written under a stamped name: its name (cp932) or the system's reason it was not.
struct StampedFile
{
    bool bWritten = false;
    std::string strName;
    std::string strError;
};

// Writes bytes to a new file prefix + "YYYYMMDD-HHMM" + extension (local time) in the folder, or
// prefix + "YYYYMMDD-HHMM-2" + extension and so on when the name is taken: written beside it
// first and moved into place only under a name nobody holds, so no file is ever overwritten or
// left half-written. cp932Prefix ends with its "-"; extension starts with its ".".
StampedFile WriteStampedFile(const std::filesystem::path& folder, std::string_view cp932Prefix,
                             std::string_view extension, std::string_view bytes, std::time_t now);

// Writes bytes to a new file prefix + "YYYYMMDD-HHMM.txt" (local time) in the folder, or
// prefix + "YYYYMMDD-HHMM-2.txt" and so on when the name is taken: written beside it first and
// moved into place only under a name nobody holds, so no file is ever overwritten or left
// half-written. Then makes it the question file as ChooseQuestionFile does; a file that cannot
// become it is removed again, so a command that fails leaves nothing behind. cp932Prefix ends
// with its "-".
NewQuestionFile AdoptNewQuestionFile(ProfileStore& profile, const std::filesystem::path& folder,
                                     std::string_view cp932Prefix, std::string_view bytes,
                                     std::time_t now);

// UTF-8: what the learner is told: that the file (utf8What names it, 復習ファイル) could not be
// written and why, or what ChoiceMessage says of it.
std::string NewQuestionFileMessage(const NewQuestionFile& made, std::string_view utf8What);
