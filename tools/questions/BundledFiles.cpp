#include "tools/questions/BundledFiles.h"

#include "quiz/FlagCatalog.h"

#include <array>

namespace {

// The starter bank's flags are pictures 158 to 225; later flags are numbered from 300.
constexpr int kLastStarterBitmap = 225;

constexpr std::array<BundledFile, 8> kFiles = {{
    {"sample0524.txt", "", true},
    {"世界の国旗.txt", "", false},
    {"アジア州.txt", "アジア", false},
    {"ヨーロッパ州.txt", "ヨーロッパ", false},
    {"アフリカ州.txt", "アフリカ", false},
    {"北アメリカ州.txt", "北アメリカ", false},
    {"南アメリカ州.txt", "南アメリカ", false},
    {"オセアニア州.txt", "オセアニア", false},
}};

} // namespace

std::span<const BundledFile> BundledFiles()
{
    return kFiles;
}

std::vector<BankGenerator::Country> CountriesFor(const BundledFile& file,
                                                 const std::vector<BankGenerator::Country>& all)
{
    if (!file.bStarter)
        return all;
    std::vector<BankGenerator::Country> starter;
    for (const BankGenerator::Country& c : all)
        if (LookupFlagBitmap(c.strCode).value_or(kLastStarterBitmap + 1) <= kLastStarterBitmap)
            starter.push_back(c);
    return starter;
}
