#include "platform/Tsv.h"

namespace Tsv {

std::vector<std::string_view> SplitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    ForEachField(line, [&](std::string_view field) {
        fields.push_back(field);
        return true;
    });
    return fields;
}

bool LineReader::Next(std::string_view& line)
{
    if (m_text.empty())
        return false;
    const std::size_t nEnd = m_text.find('\n');
    m_bEnded = nEnd != std::string_view::npos;
    line = m_text.substr(0, nEnd);
    m_text.remove_prefix(m_bEnded ? nEnd + 1 : m_text.size());
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    ++m_nLine;
    return true;
}

} // namespace Tsv
