#include "platform/CommandLine.h"
#include "print/PrintCommand.h"
#include "tools/questions/QuestionTool.h"

#include <iostream>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>

// The arguments as UTF-8, like every other name in the program: argv holds them in the ANSI
// code page, which cannot spell every file name. The console is told to show UTF-8 too.
static std::vector<std::string> Arguments(int, char**)
{
    ::SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> args;
    int nArgs = 0;
    wchar_t** ppArgs = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs);
    for (int i = 1; ppArgs && i < nArgs; ++i) {
        const int nIn = static_cast<int>(wcslen(ppArgs[i]));
        std::string arg(static_cast<std::size_t>(nIn) * 3, '\0');
        arg.resize(static_cast<std::size_t>(
            ::WideCharToMultiByte(CP_UTF8, 0, ppArgs[i], nIn, arg.data(),
                                  static_cast<int>(arg.size()), nullptr, nullptr)));
        args.push_back(std::move(arg));
    }
    ::LocalFree(ppArgs);
    return args;
}
#else
static std::vector<std::string> Arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}
#endif

int main(int argc, char** argv)
{
    const std::vector<std::string> args = Arguments(argc, argv);
    // Printing needs Qt, which the rest of the tool does without.
    if (!args.empty() && args[0] == "print")
        return RunPrintCommand({args.begin() + 1, args.end()}, std::cout, std::cerr);
    return RunQuestionTool(args, std::cout, std::cerr, JapaneseLocale());
}
