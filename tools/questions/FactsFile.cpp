#include "tools/questions/BankGenerator.h"

#include "quiz/FlagCatalog.h"

#include <array>
#include <map>

// The facts table as the question tool reads it from a file (the program compiles it in: Facts).
namespace BankGenerator {
namespace {

constexpr std::array<const char*, 6> kRequiredColumns = {"code",   "name",      "capital",
                                                         "region", "continent", "languages"};

std::vector<std::string> Split(std::string_view text, std::string_view separator)
{
    std::vector<std::string> parts;
    while (!text.empty()) {
        std::size_t n = text.find(separator);
        if (n != 0)
            parts.emplace_back(text.substr(0, n));
        if (n == std::string_view::npos)
            break;
        text.remove_prefix(n + separator.size());
    }
    return parts;
}

std::string CheckRow(const Country& c, const std::map<std::string, int>& seen)
{
    for (const std::string* text :
         {&c.strCode, &c.strName, &c.strCapital, &c.strRegion, &c.strContinent})
        if (text->empty())
            return "必須の欄が空です";
    if (!LookupFlagBitmap(c.strCode))
        return "国コード「" + c.strCode + "」は国旗の一覧にありません";
    if (auto it = seen.find(c.strCode); it != seen.end())
        return "国コード「" + c.strCode + "」は " + std::to_string(it->second) +
               " 行目と重複しています";
    if (c.languages.empty())
        return "公用語がありません";
    return {};
}

} // namespace

FactsResult ParseFacts(std::string_view utf8)
{
    FactsResult result;
    std::map<std::string, std::size_t> columns;
    std::map<std::string, int> seen;
    for (int nLine = 1; !utf8.empty(); ++nLine) {
        std::size_t nEnd = utf8.find('\n');
        std::string_view line = utf8.substr(0, nEnd);
        utf8.remove_prefix(nEnd == std::string_view::npos ? utf8.size() : nEnd + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty() || line.starts_with('#'))
            continue;
        std::vector<std::string> fields;
        for (std::size_t n = 0;; line.remove_prefix(n + 1)) {
            n = line.find('\t');
            fields.emplace_back(line.substr(0, n));
            if (n == std::string_view::npos)
                break;
        }
        const std::string strAt = std::to_string(nLine) + " 行目: ";
        if (columns.empty()) {
            for (std::size_t i = 0; i < fields.size(); ++i)
                columns[fields[i]] = i;
            for (const char* name : kRequiredColumns)
                if (!columns.contains(name))
                    return {false, {}, strAt + "見出しに列「" + name + "」がありません"};
            continue;
        }
        if (fields.size() != columns.size())
            return {false, {}, strAt + "列の数が見出しと違います"};
        auto get = [&](const char* name) {
            auto it = columns.find(name);
            return it == columns.end() ? std::string() : fields[it->second];
        };
        std::vector<std::string> names = Split(get("name"), "=");
        std::vector<std::string> capitals = Split(get("capital"), "=");
        Country c{nLine,
                  get("code"),
                  names.empty() ? "" : names[0],
                  capitals.empty() ? "" : capitals[0],
                  names.empty() ? names : std::vector(names.begin() + 1, names.end()),
                  capitals.empty() ? capitals : std::vector(capitals.begin() + 1, capitals.end()),
                  get("region"),
                  get("continent"),
                  {},
                  Split(get("region_also"), " "),
                  Split(get("similar_flags"), " ")};
        for (const std::string& item : Split(get("languages"), kLanguageSeparator))
            c.languages.push_back({Split(item, "=")});
        if (std::string strError = CheckRow(c, seen); !strError.empty())
            return {false, {}, strAt + strError};
        seen[c.strCode] = nLine;
        result.countries.push_back(std::move(c));
    }
    for (const Country& c : result.countries)
        for (const std::string& code : c.similarFlags)
            if (!seen.contains(code) || code == c.strCode)
                return {false,
                        {},
                        std::to_string(c.nLine) + " 行目: similar_flags の「" + code +
                            "」は表の他の国のコードではありません"};
    result.bOk = true;
    return result;
}

} // namespace BankGenerator
