#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A play folder of the user's own, for a program whose folder cannot be written (a disc, a
// write-protected stick, a folder only administrators may change): it gets the play folder's
// files from the program's folder, the question files, Parameter.INI, the history, so that the
// quiz plays there as it would have beside the program.
struct UserPlayFolder
{
    bool bOk = false;                // the folder stands and can be written
    std::vector<std::string> copied; // names (UTF-8) copied into it this time
    std::string strError;            // why not; or, with bOk, a file that could not be copied
};

// The files a play folder holds: *.txt, *.ini and *.tsv, in any case.
bool IsPlayFolderFile(const std::filesystem::path& name);

// Makes userDir (with its parents) and copies into it every play folder file of programDir that
// it does not hold yet. A file already there, changed or not, is never replaced.
UserPlayFolder SetUpUserPlayFolder(const std::filesystem::path& programDir,
                                   const std::filesystem::path& userDir);
