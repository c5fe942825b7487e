#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class WorldMap;

// The states around each country, the wrong candidates of a question answered on the map: first
// those it shares a land border with, longest border first, then the nearest others by the gap
// between their shapes, nearest first. Only a country's land in view counts (WorldMap's focus):
// France's overseas departments make it no neighbour of Brazil. Measured on the committed map by
// `marelto-questions neighbours` and written down in data/neighbours.tsv, which the generator
// reads compiled in.
namespace Neighbours {

// Borders and nearest together make at least this many, so that a few may drop out of a table.
inline constexpr std::size_t kCandidates = 6;

struct Entry
{
    std::string strCode;
    std::vector<std::string> borders; // land borders, longest first
    std::vector<std::string> nearest; // the nearest states it does not border, nearest first
};

// One entry for each code the map holds, in the order given; candidates only among those codes.
std::vector<Entry> Compute(const WorldMap& map, const std::vector<std::string>& codes);

// "code<TAB>borders<TAB>nearest", the codes of a list separated by spaces, under a header line.
std::string ToTsv(const std::vector<Entry>& entries);

struct ParseResult
{
    std::vector<Entry> entries;
    std::string strError; // UTF-8, with the line; empty when the table was read whole
};
ParseResult Parse(std::string_view tsv);

// The compiled-in table: the entry of a code, null when it has none.
const Entry* Find(std::string_view code);
// Why the compiled-in table could not be read whole; empty when it was.
std::string_view Error();

} // namespace Neighbours
