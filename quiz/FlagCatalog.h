#pragma once

#include <optional>
#include <span>
#include <string_view>

// Country code (ISO 3166-1 alpha-3, lower case) to the flag bitmap that shows it.
struct FlagEntry
{
    std::string_view strCode;
    int nBitmapId;
    int nWidth;
    int nHeight;
};

// The 199 rows, in code order.
std::span<const FlagEntry> FlagCatalog();

// Exact, byte-for-byte match of the first three bytes of a record; no match, no picture.
std::optional<int> LookupFlagBitmap(std::string_view code);
