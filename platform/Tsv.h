#pragma once

#include <string_view>
#include <vector>

// Tab-separated text, as the answer history, the facts table and its word list, the flag
// features and the question tool's tables hold it.
namespace Tsv {

// The fields of one line, split at every tab: a line without a tab is one field, an empty line
// one empty field. Each goes to field(std::string_view) in turn; returning false stops.
template <class Field> void ForEachField(std::string_view line, Field field)
{
    for (;;) {
        const std::size_t nTab = line.find('\t');
        if (!field(line.substr(0, nTab)) || nTab == std::string_view::npos)
            return;
        line.remove_prefix(nTab + 1);
    }
}

// The same fields, all of them.
std::vector<std::string_view> SplitFields(std::string_view line);

// The lines of a text one by one, each without its line end (LF or CR LF).
class LineReader
{
  public:
    explicit LineReader(std::string_view text) : m_text(text) {}

    // False at the end of the text.
    bool Next(std::string_view& line);
    // The number of the line Next gave, from 1.
    int Number() const { return m_nLine; }
    // Whether that line has its line end: a last line without one may have been cut short.
    bool Ended() const { return m_bEnded; }

  private:
    std::string_view m_text;
    int m_nLine = 0;
    bool m_bEnded = false;
};

} // namespace Tsv
