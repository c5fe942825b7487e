#include "platform/Tsv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Views = std::vector<std::string_view>;

struct SplitCase
{
    std::string_view line;
    Views fields;
};

TEST(TsvTest, SplitsAtEveryTabKeepingEmptyFields)
{
    const SplitCase cases[] = {{"", {""}},
                               {"a", {"a"}},
                               {"a\tb", {"a", "b"}},
                               {"\t", {"", ""}},
                               {"a\t\tb\t", {"a", "", "b", ""}},
                               {"a b\r", {"a b\r"}}};
    for (const SplitCase& c : cases)
        EXPECT_EQ(Tsv::SplitFields(c.line), c.fields) << c.line;
}

struct LinesCase
{
    std::string_view text;
    std::vector<std::string> lines; // each as "number:text", then "$" when it had its line end
};

TEST(TsvTest, ReadsLinesWithoutTheirEndsAndSaysWhichWereCutShort)
{
    const LinesCase cases[] = {{"", {}},
                               {"\n", {"1:$"}},
                               {"a\nb\r\nc", {"1:a$", "2:b$", "3:c"}},
                               {"\r\n\r\n", {"1:$", "2:$"}},
                               {"a\r", {"1:a"}},
                               {"a\r\r\n", {"1:a\r$"}}};
    for (const LinesCase& c : cases) {
        std::vector<std::string> seen;
        Tsv::LineReader lines(c.text);
        for (std::string_view line; lines.Next(line);)
            seen.push_back(std::to_string(lines.Number()) + ":" + std::string(line) +
                           (lines.Ended() ? "$" : ""));
        EXPECT_EQ(seen, c.lines) << c.text;
    }
}

} // namespace
