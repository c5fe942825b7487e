#pragma once

#include <span>
#include <string>
#include <string_view>

// The question files that come with the program.
struct BundledFile
{
    std::string strName;           // UTF-8; each is also a cp932 name
    std::string_view strContinent; // the 州 asked about; empty: every country
    // False for the starter bank, sample0524.txt: committed as it first shipped and never made
    // again, so that no learner's history of it loses its questions.
    bool bGenerated = true;
};

// The starter bank first, then the world file, then a file for each 州 ("アジア州.txt"); every
// file but the first is made from the facts table.
std::span<const BundledFile> BundledFiles();

// The world file, which `generate` makes when no file is named.
const BundledFile& WorldFile();
