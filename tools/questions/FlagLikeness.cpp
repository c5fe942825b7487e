#include "tools/questions/FlagLikeness.h"

#include "platform/Tsv.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>
#include <utility>

extern const std::string_view kFlagFeaturesTsv;

namespace FlagLikeness {
namespace {

constexpr int kColumns = 8;
constexpr int kRows = 6;
constexpr std::size_t kCells = kColumns * kRows;

struct Rgb
{
    int r = 0, g = 0, b = 0;
};
using Cells = std::array<Rgb, kCells>;

struct Table
{
    std::map<std::string, Cells, std::less<>> flags;
    std::string strError;
};

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<Cells> ParseCells(std::string_view hex)
{
    if (hex.size() != kCells * 6)
        return std::nullopt;
    Cells cells;
    for (std::size_t i = 0; i < kCells; ++i) {
        int channel[3];
        for (std::size_t k = 0; k < 3; ++k) {
            const int hi = HexDigit(hex[i * 6 + k * 2]), lo = HexDigit(hex[i * 6 + k * 2 + 1]);
            if (hi < 0 || lo < 0)
                return std::nullopt;
            channel[k] = hi * 16 + lo;
        }
        cells[i] = {channel[0], channel[1], channel[2]};
    }
    return cells;
}

Table Parse(std::string_view tsv)
{
    Table table;
    bool bHeader = true;
    Tsv::LineReader lines(tsv);
    for (std::string_view line; lines.Next(line);) {
        if (line.empty() || line.starts_with('#'))
            continue;
        if (std::exchange(bHeader, false))
            continue; // code, cells
        const std::vector<std::string_view> fields = Tsv::SplitFields(line);
        std::optional<Cells> cells = fields.size() == 2 ? ParseCells(fields[1]) : std::nullopt;
        if (!cells) {
            table.strError =
                "flag-features.tsv " + std::to_string(lines.Number()) + " 行目が読めません";
            return table;
        }
        table.flags.emplace(std::string(fields[0]), *cells);
    }
    return table;
}

const Table& TheTable()
{
    static const Table table = Parse(kFlagFeaturesTsv);
    return table;
}

// A weighted RGB distance that follows the eye better than the plain one ("redmean").
double ColourDistance(const Rgb& a, const Rgb& b)
{
    const double rMean = (a.r + b.r) / 2.0;
    const double dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return std::sqrt((2 + rMean / 256) * dr * dr + 4 * dg * dg +
                     (2 + (255 - rMean) / 256) * db * db);
}

double CellDistance(const Cells& a, const Cells& b, bool bMirrorX, bool bMirrorY)
{
    double sum = 0;
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kColumns; ++x) {
            const int bx = bMirrorX ? kColumns - 1 - x : x, by = bMirrorY ? kRows - 1 - y : y;
            sum += ColourDistance(a[static_cast<std::size_t>(y * kColumns + x)],
                                  b[static_cast<std::size_t>(by * kColumns + bx)]);
        }
    return sum / kCells;
}

} // namespace

std::optional<double> Distance(std::string_view codeA, std::string_view codeB)
{
    const auto& flags = TheTable().flags;
    const auto a = flags.find(codeA), b = flags.find(codeB);
    if (a == flags.end() || b == flags.end())
        return std::nullopt;
    return std::min({CellDistance(a->second, b->second, false, false),
                     CellDistance(a->second, b->second, true, false),
                     CellDistance(a->second, b->second, false, true)});
}

std::size_t Count()
{
    return TheTable().flags.size();
}

std::string_view Error()
{
    return TheTable().strError;
}

} // namespace FlagLikeness
