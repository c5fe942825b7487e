#pragma once

#include "print/PrintPage.h"

#include <string>
#include <vector>

// What the print dialog and the command make: the pages and the title the PDF carries.
struct PrintDocument
{
    std::string strTitle; // UTF-8
    std::vector<PrintPage> pages;
};

struct PrintOptions
{
    Paper paper = Paper::A4;
    bool bAnswerKey = true;
    std::string strSource; // UTF-8: the question file's name, or 国旗図鑑
};

// The parts every layout shares: margins, the heading with a name blank, the page numbers.
inline constexpr float kMargin = 12;
// Adds the heading to a page; returns where the content starts.
float AddHeading(PrintPage& page, const std::string& strTitle, const std::string& strSub,
                 bool bNameBlank);
// "1 / 3" at the foot of every page.
void AddPageNumbers(PrintDocument& doc);
