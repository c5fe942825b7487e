#include "tools/questions/BundledFiles.h"

#include "platform/ProfileKeys.h"

#include <array>

namespace {

constexpr std::array<BundledFile, 8> kFiles = {{
    {ProfileKeys::kQuestionFile.strDefault, "", false}, // the starter bank
    {"世界の国旗.txt", "", true},
    {"アジア州.txt", "アジア", true},
    {"ヨーロッパ州.txt", "ヨーロッパ", true},
    {"アフリカ州.txt", "アフリカ", true},
    {"北アメリカ州.txt", "北アメリカ", true},
    {"南アメリカ州.txt", "南アメリカ", true},
    {"オセアニア州.txt", "オセアニア", true},
}};

} // namespace

std::span<const BundledFile> BundledFiles()
{
    return kFiles;
}

const BundledFile& WorldFile()
{
    return kFiles[1];
}
