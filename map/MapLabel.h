#pragma once

#include <string>
#include <string_view>

// What the map says about a country, from the facts table (facts/Facts.h, UTF-8): the usual
// form of its name and capital, and its 州 as an index into Facts::kContinents.
struct MapLabel
{
    std::string strName;
    std::string strCapital;
    int nContinent = -1;
};

// Empty texts and no continent for a code the facts table does not hold.
MapLabel MapLabelFor(std::string_view code);

// "日本 首都 東京": the name and the capital, as the map's label and screen readers give them.
std::string MapLabelText(const MapLabel& label);
