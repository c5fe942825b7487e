#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

// A country of the facts table (data/countries.tsv), its texts in UTF-8. The table is generated
// from that file when the program is built.
struct CountryEntry
{
    const char* szCode;
    const char* szName;
    const char* szContinent;
    const char* szCapital; // accepted forms joined by '=', the usual one first
};

extern const CountryEntry kCountryEntries[];
extern const std::size_t kCountryEntryCount;

// Null for a code the table does not hold.
const CountryEntry* FindCountry(std::string_view code);
