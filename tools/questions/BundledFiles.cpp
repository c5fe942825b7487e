#include "tools/questions/BundledFiles.h"

#include "facts/FactsTable.h"
#include "platform/ProfileKeys.h"

#include <vector>

namespace {

const std::vector<BundledFile>& Files()
{
    static const std::vector<BundledFile> files = [] {
        std::vector<BundledFile> list = {
            {std::string(ProfileKeys::kQuestionFile.strDefault), "", false}, // the starter bank
            {"世界の国旗.txt", "", true}};
        for (std::string_view continent : Facts::kContinents)
            list.push_back({std::string(continent) + "州.txt", continent, true});
        return list;
    }();
    return files;
}

} // namespace

std::span<const BundledFile> BundledFiles()
{
    return Files();
}

const BundledFile& WorldFile()
{
    return Files()[1];
}
