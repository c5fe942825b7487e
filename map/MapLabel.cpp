#include "map/MapLabel.h"

#include "learning/CountryTable.h"

#include <iterator>

namespace {

// The facts table joins accepted forms with '='; the first is the usual one.
std::string FirstForm(std::string_view text)
{
    return std::string(text.substr(0, text.find('=')));
}

} // namespace

MapLabel MapLabelFor(std::string_view code)
{
    MapLabel label;
    const CountryEntry* pEntry = FindCountry(code);
    if (!pEntry)
        return label;
    label.strName = FirstForm(pEntry->szName);
    label.strCapital = FirstForm(pEntry->szCapital);
    for (std::size_t i = 0; i < std::size(kMapContinents); ++i)
        if (std::string_view(pEntry->szContinent) == kMapContinents[i])
            label.nContinent = int(i);
    return label;
}

std::string MapLabelText(const MapLabel& label)
{
    if (label.strCapital.empty())
        return label.strName;
    return label.strName + " 首都 " + label.strCapital;
}
