#pragma once

#include <string>
#include <string_view>
#include <vector>

// What marelto does with its command line, decided before anything heavy is made: --help and
// --version print and end it, Qt's own options (-platform NAME, -style=NAME, ...) go on to Qt,
// anything else ends it with a one-line error.
struct StartReply
{
    bool bStart = true; // open the window; otherwise print and exit with nStatus
    int nStatus = 0;
    std::string strOut; // for standard output, UTF-8
    std::string strErr; // for standard error, UTF-8
};

// args: the command line without the program's name. dataDir: where the installed program's
// bundled files are, named in the help.
StartReply ReadStartOptions(const std::vector<std::string>& args, bool bJapanese,
                            std::string_view dataDir);
