#include "learning/CountryTable.h"

#include <string>
#include <unordered_map>

const CountryEntry* FindCountry(std::string_view code)
{
    static const std::unordered_map<std::string, const CountryEntry*> byCode = [] {
        std::unordered_map<std::string, const CountryEntry*> map;
        for (std::size_t i = 0; i < kCountryEntryCount; ++i)
            map.emplace(kCountryEntries[i].szCode, &kCountryEntries[i]);
        return map;
    }();
    const auto it = byCode.find(std::string(code));
    return it == byCode.end() ? nullptr : it->second;
}
