#pragma once

#include "print/PrintDocument.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class WorldMap;

// One question as the 問題プリント prints it. Texts are UTF-8.
struct SheetQuestion
{
    enum class Kind
    {
        Text,     // the flag beside the question, four answers to choose from
        Flags,    // four flags to choose from
        Position, // the flag beside the question, four numbered places on a small map
    };
    Kind kind = Kind::Text;
    std::string strQuestion;
    std::string strFlag;                // the record's code when the catalogue has its flag
    std::array<std::string, 4> choices; // texts, or codes for flags and places
    int nCorrect = -1;                  // none marked: -1
};

// Every whole record of a question file (cp932 bytes), in file order.
std::vector<SheetQuestion> SheetQuestions(std::string_view fileBytes);

// What the answer key says for a question: "③ アラブ首長国連邦"; a flag or place by its
// country's name; "（正解の印なし）" when no answer is marked.
std::string KeyText(const SheetQuestion& question);

// The questions numbered from 1, as many to a page as stay readable, and with the key its own
// page(s) at the end. A position question's map needs the world map; without it (null) the
// candidates are listed by name instead.
PrintDocument MakeQuestionSheet(const std::vector<SheetQuestion>& questions,
                                const PrintOptions& options, const WorldMap* pMap);

// The frame of a small map around four places: their land with some sea, at least a few
// degrees across, in the proportions of the box it is shown in.
MapRect FrameAround(const WorldMap& map, std::span<const std::string> codes, float fAspect);
