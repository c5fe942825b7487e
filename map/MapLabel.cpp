#include "map/MapLabel.h"

#include "facts/Facts.h"

#include <iterator>

MapLabel MapLabelFor(std::string_view code)
{
    MapLabel label;
    const Facts::Country* pCountry = Facts::FindCountry(code);
    if (!pCountry)
        return label;
    // The first form is the usual one.
    if (!pCountry->names.empty())
        label.strName = pCountry->names.front();
    if (!pCountry->capitals.empty())
        label.strCapital = pCountry->capitals.front();
    for (std::size_t i = 0; i < std::size(kMapContinents); ++i)
        if (pCountry->continent == kMapContinents[i])
            label.nContinent = int(i);
    return label;
}

std::string MapLabelText(const MapLabel& label)
{
    if (label.strCapital.empty())
        return label.strName;
    return label.strName + " 首都 " + label.strCapital;
}
