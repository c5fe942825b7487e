#include "print/PrintRequest.h"

#include "facts/FactsTable.h"
#include "print/BlankMap.h"
#include "print/FlagCards.h"
#include "print/QuestionSheet.h"

PrintDocument MakeDocument(const PrintRequest& request, const WorldMap& map)
{
    switch (request.kind) {
    case PrintRequest::Kind::Sheet:
        return MakeQuestionSheet(SheetQuestions(request.questionFile), request.options, &map);
    case PrintRequest::Kind::Cards:
        return MakeFlagCards(
            CardsFor(request.codes.empty() ? CodesOf(request.questionFile) : request.codes),
            request.options);
    case PrintRequest::Kind::Map:
        break;
    }
    return MakeBlankMap(map, request.nContinent, request.options);
}

std::string FilePrefix(PrintRequest::Kind kind)
{
    switch (kind) {
    case PrintRequest::Kind::Sheet:
        return "問題プリント-";
    case PrintRequest::Kind::Cards:
        return "国旗カード-";
    case PrintRequest::Kind::Map:
        break;
    }
    return "白地図-";
}

std::optional<int> ContinentNamed(std::string_view utf8)
{
    if (utf8 == "世界" || utf8 == "world")
        return -1;
    if (utf8.ends_with("州"))
        utf8.remove_suffix(std::string_view("州").size());
    const std::size_t n = Facts::ContinentIndex(utf8);
    if (n < Facts::kContinents.size())
        return int(n);
    return std::nullopt;
}
