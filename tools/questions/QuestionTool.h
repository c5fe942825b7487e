#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

// marelto-questions: checks, exports, imports and generates question files. Messages are
// Japanese, in UTF-8; --help and the one line for an unknown option follow bJapanese. Exit status
// 0 when all went well, 1 on problems or errors, 2 on bad usage.
//
//   check [--facts FACTS] FILE... report what the quiz or the editor would stumble over, and with
//                                 the facts table, generated questions that contradict it
//   export FILE [-o TSV]          the records as UTF-8 TSV (standard output without -o)
//   import TSV -o FILE [--cut]    a question file from such a table, written only if all is well
//   generate FACTS [-o FILE]      the world file from the facts table; without -o its TSV
//   generate FACTS --all DIR      every bundled question file made from the table, into DIR
//   neighbours MAP [-o TSV]       each catalogue country's neighbours on the world map, the
//                                 table the generator takes a position question's wrong places from
//   print FILE --sheet|--cards|--map 州 [-o PDF]
//                                 handled by print/PrintCommand.h (it needs Qt); listed in --help
int RunQuestionTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                    bool bJapanese = true);

struct MadeFile
{
    bool bOk = false;
    std::string strBytes;              // the question file
    std::vector<std::string> messages; // errors and warnings, UTF-8
};

struct BundledFile;

// generate's whole path: facts table, generated questions, their TSV, the import of that TSV.
// Without a file named, the world file.
MadeFile MakeQuestionFile(std::string_view factsUtf8, const BundledFile* pFile = nullptr);
