#pragma once

#include "print/PrintDocument.h"

#include <string>
#include <string_view>
#include <vector>

// The back of a card: what the facts table says of a country. UTF-8.
struct CardFacts
{
    std::string strCode;
    std::string strName;
    std::string strNameReading; // empty when the name has no kanji
    std::string strCapital;     // with its reading in brackets when written in kanji
    std::string strContinent;   // アジア州
    std::string strRegion;
    std::string strLanguages; // joined by 、
};

// Null-free: codes the facts table does not hold are left out, each country once, in order.
std::vector<CardFacts> CardsFor(const std::vector<std::string>& codes);

// The codes of a question file's records (cp932 bytes), each once, in file order.
std::vector<std::string> CodesOf(std::string_view fileBytes);

// Eight cards to an A4 page (and to a B5 one, smaller), cutting lines between them: a page of
// flags, then its back with the facts, mirrored left to right so that each back lands behind
// its flag when printed on both sides (long-edge binding). A small card number on both sides
// pairs them after cutting.
PrintDocument MakeFlagCards(const std::vector<CardFacts>& cards, const PrintOptions& options);

// The card's rectangle on the front page: nIndex 0-7, two across, four down.
PrintRect CardRect(int nIndex, Paper paper);
