#include "app/CQuizApp.h"
#include "app/StartOptions.h"
#include "platform/BundledFonts.h"
#include "platform/CommandLine.h"
#include "platform/PlayFolder.h"

#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

#ifndef MARELTO_DATA_DIR
#define MARELTO_DATA_DIR ""
#endif

// Entered before theApp exists: its settings path follows the current directory.
static const bool g_bInPlayFolder = EnterPlayFolder();
// Constructed before main, so the settings path is fixed before any window exists.
CQuizApp theApp;

int main(int argc, char* argv[])
{
    // --help and --version answer before anything heavy is made, and without a display.
    const StartReply reply = ReadStartOptions(std::vector<std::string>(argv + 1, argv + argc),
                                              JapaneseLocale(), MARELTO_DATA_DIR);
    if (!reply.bStart) {
        std::fputs(reply.strOut.c_str(), stdout);
        std::fputs(reply.strErr.c_str(), stderr);
        return reply.nStatus;
    }
    QApplication app(argc, argv);
    LoadBundledFonts();
    TellAboutPlayFolder();
    theApp.InitInstance();
    return 0;
}
