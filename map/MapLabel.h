#pragma once

#include <string>
#include <string_view>

// What the map says about a country, from the facts table (facts/Facts.h, UTF-8): the usual
// form of its name and capital, and its 州 as an index into kMapContinents.
struct MapLabel
{
    std::string strName;
    std::string strCapital;
    int nContinent = -1;
};

inline constexpr const char* kMapContinents[] = {"アジア",     "ヨーロッパ", "アフリカ",
                                                 "北アメリカ", "南アメリカ", "オセアニア"};

// Empty texts and no continent for a code the facts table does not hold.
MapLabel MapLabelFor(std::string_view code);

// "日本 首都 東京": the name and the capital, as the map's label and screen readers give them.
std::string MapLabelText(const MapLabel& label);
