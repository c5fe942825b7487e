#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// How alike two flags look, from the features table that tools/make-flags.sh measures on the
// rendered pictures (data/flag-features.tsv, compiled in): each flag averaged down to 8 x 6 cells
// of colour. The measure is the colour difference summed over the cells, also with one flag
// mirrored left to right or top to bottom (Ireland and Côte d'Ivoire, Indonesia and Poland), the
// smallest of the three counting. Smaller is more alike.
namespace FlagLikeness {

// Empty when the table has no row for either code.
std::optional<double> Distance(std::string_view codeA, std::string_view codeB);

// Codes with a row in the table, and why the table could not be read whole (empty when it was).
std::size_t Count();
std::string_view Error();

} // namespace FlagLikeness
