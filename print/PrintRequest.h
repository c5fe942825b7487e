#pragma once

#include "print/PrintDocument.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class WorldMap;

// What to print and from what, as the dialog and the command ask for it.
struct PrintRequest
{
    enum class Kind
    {
        Sheet, // 問題プリント
        Cards, // 国旗カード
        Map,   // 白地図
    };
    Kind kind = Kind::Sheet;
    PrintOptions options;
    std::string questionFile;       // cp932 bytes: the sheet's questions, the cards' countries
    std::vector<std::string> codes; // instead of the file's countries for cards, when not empty
    int nContinent = -1;            // the map's 州 (Facts::kContinents), -1 the world
};

PrintDocument MakeDocument(const PrintRequest& request, const WorldMap& map);

// "問題プリント-": the start of the PDF's stamped name, UTF-8.
std::string FilePrefix(PrintRequest::Kind kind);

// The 州 named by a text: "アフリカ州" or "アフリカ" give its index; "世界" and "world" -1;
// empty for anything else.
std::optional<int> ContinentNamed(std::string_view utf8);
