#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// marelto-questions print: the print dialog's PDFs from the command line.
//   print FILE --sheet|--cards [-o PDF] [--b5] [--no-key]
//   print [FILE] --map 州|世界 [-o PDF] [--b5] [--no-key]
// args start after "print". Without -o, written into the current folder under a stamped name
// that never overwrites a file; with it, the file is replaced whole. Messages are Japanese in
// UTF-8. Exit status 0 written, 1 an error, 2 bad usage. Needs no display.
int RunPrintCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
