// Character boundaries in cp932 bytes: the same on every system, no conversion involved.
#include "platform/Cp932.h"

#include <algorithm>

namespace Cp932 {

bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

std::size_t CharBoundary(std::string_view cp932, std::size_t nMax)
{
    std::size_t i = 0;
    while (i < cp932.size()) {
        // A lead byte that ends the text has no trail: it counts alone, so a text that fits
        // comes back whole however much room is left.
        std::size_t n =
            IsLeadByte(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size() ? 2 : 1;
        if (i + n > nMax)
            break;
        i += n;
    }
    return std::min(i, cp932.size());
}

} // namespace Cp932
