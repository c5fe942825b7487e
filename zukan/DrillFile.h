#pragma once

#include "questionfile/NewQuestionFile.h"

#include <ctime>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

// The question file the 図鑑 makes of the countries a learner picked.

// Every whole record of a question file whose code is one of codes, byte for byte and in the
// file's order; empty when none is.
std::string RecordsAbout(std::string_view questionFile, const std::set<std::string>& codes);

class ProfileStore;

// Writes them as "図鑑-YYYYMMDD-HHMM.txt" in the folder and makes that the question file
// (AdoptNewQuestionFile: a fresh name, never overwriting, nothing left behind on failure).
NewQuestionFile WriteDrillFile(ProfileStore& profile, const std::filesystem::path& folder,
                               std::string_view records, std::time_t now);
