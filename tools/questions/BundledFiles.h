#pragma once

#include "tools/questions/BankGenerator.h"

#include <span>
#include <string_view>
#include <vector>

// The question files that come with the program, all made from the facts table.
struct BundledFile
{
    std::string_view strName;      // UTF-8; each is also a cp932 name
    std::string_view strContinent; // the 州 asked about; empty: every country
    bool bStarter = false;         // the starter bank: only the flags the program began with
};

// The starter bank sample0524.txt first.
std::span<const BundledFile> BundledFiles();

// The countries a file draws its questions and wrong answers from.
std::vector<BankGenerator::Country> CountriesFor(const BundledFile& file,
                                                 const std::vector<BankGenerator::Country>& all);
