#pragma once

#include "questionfile/NewQuestionFile.h"

#include <ctime>
#include <filesystem>
#include <optional>
#include <string_view>

class ProfileStore;
class ReviewSchedule;

// The due records of a question file as a new question file "復習-YYYYMMDD-HHMM.txt" in the
// folder, made the question file (AdoptNewQuestionFile). Nothing due: nothing is written and
// nothing returned.
std::optional<NewQuestionFile> WriteReviewFile(ProfileStore& profile,
                                               const std::filesystem::path& folder,
                                               std::string_view questionFile,
                                               const ReviewSchedule& schedule, std::time_t now);
