#include "quiz/FlagCatalog.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<FlagEntry, 66> kCatalog = {{
    {"afg", 174, 109, 73}, {"are", 225, 137, 68}, {"arg", 158, 117, 73}, {"aus", 175, 137, 68},
    {"aut", 159, 108, 73}, {"bel", 160, 84, 73},  {"bgr", 176, 121, 73}, {"bra", 161, 104, 73},
    {"can", 177, 137, 68}, {"che", 178, 74, 73},  {"chl", 179, 109, 73}, {"chn", 162, 109, 73},
    {"col", 163, 109, 73}, {"cub", 180, 137, 68}, {"cze", 164, 109, 73}, {"deu", 181, 121, 73},
    {"dnk", 182, 96, 73},  {"dza", 165, 111, 73}, {"egy", 183, 108, 73}, {"esp", 184, 109, 73},
    {"fin", 185, 119, 73}, {"fra", 186, 110, 73}, {"gbr", 187, 123, 63}, {"grc", 188, 108, 73},
    {"hun", 189, 137, 68}, {"idn", 166, 109, 73}, {"ind", 191, 108, 73}, {"irl", 192, 137, 68},
    {"irn", 193, 127, 73}, {"irq", 194, 109, 73}, {"isr", 195, 100, 73}, {"ita", 196, 109, 73},
    {"jam", 197, 137, 68}, {"jor", 198, 135, 67}, {"jpn", 199, 109, 73}, {"ken", 167, 109, 73},
    {"kor", 200, 108, 73}, {"lux", 168, 122, 73}, {"mar", 201, 108, 73}, {"mex", 169, 128, 73},
    {"mng", 202, 137, 68}, {"nga", 203, 137, 68}, {"nld", 170, 109, 73}, {"nor", 171, 100, 73},
    {"npl", 204, 58, 73},  {"pak", 172, 104, 73}, {"per", 205, 108, 73}, {"phl", 206, 137, 68},
    {"pol", 207, 116, 73}, {"prk", 208, 137, 68}, {"prt", 209, 109, 73}, {"rou", 210, 109, 73},
    {"rus", 211, 109, 73}, {"sau", 212, 109, 73}, {"sgp", 213, 109, 73}, {"swe", 214, 116, 73},
    {"syr", 215, 108, 73}, {"tha", 216, 109, 73}, {"tur", 217, 93, 63},  {"twn", 218, 109, 73},
    {"ukr", 219, 94, 63},  {"ury", 220, 109, 73}, {"usa", 221, 119, 63}, {"vnm", 222, 94, 63},
    {"yem", 223, 109, 73}, {"zaf", 224, 109, 73},
}};

static_assert(std::is_sorted(kCatalog.begin(), kCatalog.end(),
                             [](const FlagEntry& a, const FlagEntry& b) {
                                 return a.strCode < b.strCode;
                             }));

} // namespace

std::span<const FlagEntry> FlagCatalog()
{
    return kCatalog;
}

std::optional<int> LookupFlagBitmap(std::string_view code)
{
    if (code.size() != 3)
        return std::nullopt;
    auto it =
        std::lower_bound(kCatalog.begin(), kCatalog.end(), code,
                         [](const FlagEntry& e, std::string_view c) { return e.strCode < c; });
    if (it == kCatalog.end() || it->strCode != code)
        return std::nullopt;
    return it->nBitmapId;
}
