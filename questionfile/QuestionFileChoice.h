#pragma once

#include "questionfile/QuestionFileCheck.h"

#include <filesystem>
#include <string>
#include <string_view>

class ProfileStore;

// What ChooseQuestionFile did.
struct QuestionFileChoice
{
    QuestionFileCheck check; // problem None when the file is now the question file
    std::string strName;     // cp932: the name now stored in QUESTION (empty when refused)
    bool bCopied = false;    // the file was copied into the folder under strName
    std::string strError;    // the system's reason, for Unreadable and WriteFailed

    bool Ok() const { return check.problem == QuestionFileProblem::None; }
};

// Makes a file the question file, the way a user switches files from the main window; any
// feature that has a question file to offer (one it wrote, one the user picked) calls this.
//
// folder: where QUESTION is resolved, the current directory; chosen: the file, in that folder or
// anywhere else. In this order:
// 1. Refuses, writing and copying nothing, a name that is not "*.txt" (any letter case), is
//    exactly "ReadMe.txt", or that Parameter.INI cannot hold as it stands (a character cp932
//    lacks, a control character, leading blanks, which a reader would drop), and a file that fails
//    CheckQuestionBytes or cannot be read.
// 2. A file outside folder is copied into it under its own name or, when that is taken (without
//    regard to ASCII case), the first free "stem(2).txt", "stem(3).txt", ...; a file there with
//    the same bytes under that name in any ASCII case is used as it stands. Never overwrites:
//    the copy is written beside and moved in only where no file stands.
// 3. Writes QUESTION/"1" = the name, as the settings dialog's Save does. No other entry
//    changes: QUESTION_CNT stays, since a round asks at most what its file holds. A failed
//    write removes the copy.
QuestionFileChoice ChooseQuestionFile(ProfileStore& profile, const std::filesystem::path& folder,
                                      const std::filesystem::path& chosen);

// UTF-8: what the learner is told of a choice of the file named utf8FileName: why it was
// refused, or which name it now has (and whether it was copied in).
std::string ChoiceMessage(std::string_view utf8FileName, const QuestionFileChoice& choice);

// The name a copy of utf8Name takes in folder: utf8Name itself when no entry there has it
// (ASCII letters compared without regard to case, as a case-insensitive file system sees the
// folder), else the first free "stem(n).ext" from n = 2. Empty when none is free.
std::string FreeName(const std::filesystem::path& folder, std::string_view utf8Name);
