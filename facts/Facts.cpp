#include "facts/Facts.h"

#include <unordered_map>

namespace Facts {
namespace {

struct Compiled
{
    Table table;
    std::unordered_map<std::string_view, std::size_t> byCode;
};

const Compiled& Get()
{
    static const Compiled compiled = [] {
        Compiled c{Parse(kCountriesTsv, kWordsTsv), {}};
        for (std::size_t i = 0; i < c.table.countries.size(); ++i)
            c.byCode.emplace(c.table.countries[i].code, i);
        return c;
    }();
    return compiled;
}

} // namespace

const Table& CompiledTable()
{
    return Get().table;
}

std::span<const Country> Countries()
{
    return Get().table.countries;
}

const Country* FindCountry(std::string_view code)
{
    const Compiled& compiled = Get();
    const auto it = compiled.byCode.find(code);
    return it == compiled.byCode.end() ? nullptr : &compiled.table.countries[it->second];
}

std::vector<std::string> Readings(std::string_view text)
{
    return ReadingsOf(Get().table, text);
}

std::string_view Error()
{
    return Get().table.strError;
}

} // namespace Facts
