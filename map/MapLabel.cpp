#include "map/MapLabel.h"

#include "facts/Facts.h"

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
    if (const std::size_t n = Facts::ContinentIndex(pCountry->continent);
        n < Facts::kContinents.size())
        label.nContinent = int(n);
    return label;
}

std::string MapLabelText(const MapLabel& label)
{
    if (label.strCapital.empty())
        return label.strName;
    return label.strName + " 首都 " + label.strCapital;
}
