#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The rules behind the settings dialog's file list and question-count slider.
// Names are cp932 bytes, as Parameter.INI stores them.
namespace QuestionFileList {

// The question files of a folder in list order: every "*.txt" entry (the extension in any
// letter case, as the Windows file finder matches it) except exactly "ReadMe.txt", folders left
// out. One pass over the folder, no per-file status. Names that cp932 cannot hold are left out,
// as they could never be stored. An unreadable folder gives an empty list; nothing is reported.
std::vector<std::string> List(const std::filesystem::path& dir);

// The order of a sorted Windows list box: ASCII letters without regard to case, punctuation
// before digits before letters, double-byte characters after all of these; names that compare
// equal that way fall back to their bytes, so the order never depends on the folder's.
bool ListBoxLess(std::string_view a, std::string_view b);
void Sort(std::vector<std::string>& names);

// The list box's select-by-text: the first name, in list order, that begins with prefix, ASCII
// letters compared without regard to case (never the trail byte of a double-byte character).
// An empty prefix names no file and selects nothing.
std::optional<std::size_t> FindPrefix(const std::vector<std::string>& names,
                                      std::string_view prefix);

// Whole 420-byte records in the file; empty when its size cannot be taken or it is no regular file.
std::optional<std::int64_t> RecordsIn(const std::filesystem::path& file);

// Why no round could play the file (cp932): no regular file, no whole record, a broken tail.
// Empty when it can, or when there is no file to look at. Nothing is opened.
std::string ProblemText(const std::filesystem::path& file);

// Upper end of the question-count slider (its lower end is 1). With a known record count it is
// that count, but at least 1, so a file shorter than one record still gives a slider (1 to 1).
// Without one (nothing selected, the file gone) it is the stored count, at least 1: the slider
// can keep or lower what is stored, never raise it past a size nobody could check.
int CountSliderMax(std::optional<std::int64_t> records, int nStored);

// What Save writes to QUESTION_CNT for the slider position. Empty (leave the entry as it is)
// when the file holds no whole record, since then every count would be more than it holds, and
// when the learner left the slider where it opened below the stored count nStored: a smaller
// file never lowers the count for good, as a round asks at most what its file holds. A slider
// left alone otherwise stores its position; a moved one at most the record count taken at
// saving time (the position as it stands without one).
std::optional<int> CountToStore(int nPosition, std::optional<std::int64_t> records, int nStored,
                                bool bMoved);

} // namespace QuestionFileList
