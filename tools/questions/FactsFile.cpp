#include "tools/questions/BankGenerator.h"

#include "facts/FactsTable.h"
#include "quiz/FlagCatalog.h"

#include <set>

// The facts table as the question tool reads it from a file: the facts core's reader, whose
// countries the generator takes with texts of their own. Every code must also be a flag
// catalogue code, and look-alike flags, the first wrong answers, other countries of the table.
namespace BankGenerator {
namespace {

std::vector<std::string> Texts(const std::vector<std::string_view>& views)
{
    return {views.begin(), views.end()};
}

Country FromFacts(const Facts::Country& c)
{
    Country country{c.nLine,
                    std::string(c.code),
                    std::string(c.names.front()),
                    std::string(c.capitals.front()),
                    Texts({c.names.begin() + 1, c.names.end()}),
                    Texts({c.capitals.begin() + 1, c.capitals.end()}),
                    std::string(c.region),
                    std::string(c.continent),
                    {},
                    Texts(c.regionAlso),
                    Texts(c.similarFlags),
                    Texts(c.capitalAlso),
                    Texts(c.languagesAlso)};
    for (const Facts::Language& language : c.languages)
        country.languages.push_back({Texts(language.names)});
    return country;
}

} // namespace

FactsResult ParseFacts(std::string_view utf8)
{
    const Facts::Table table = Facts::ParseCountries(utf8);
    if (!table.strError.empty())
        return {false, {}, table.strError};
    FactsResult result;
    std::set<std::string_view> codes;
    for (const Facts::Country& c : table.countries) {
        if (!LookupFlagBitmap(c.code))
            return {false,
                    {},
                    std::to_string(c.nLine) + " 行目: 国コード「" + std::string(c.code) +
                        "」は国旗の一覧にありません"};
        codes.insert(c.code);
        result.countries.push_back(FromFacts(c));
    }
    for (const Facts::Country& c : table.countries)
        for (std::string_view code : c.similarFlags)
            if (!codes.contains(code) || code == c.code)
                return {false,
                        {},
                        std::to_string(c.nLine) + " 行目: similar_flags の「" + std::string(code) +
                            "」は表の他の国のコードではありません"};
    result.bOk = true;
    return result;
}

} // namespace BankGenerator
