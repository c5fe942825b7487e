#include "app/CQuizApp.h"
#include "platform/BundledFonts.h"
#include "platform/PlayFolder.h"

#include <QApplication>

// Entered before theApp exists: its settings path follows the current directory.
static const bool g_bInPlayFolder = EnterPlayFolder();
// Constructed before main, so the settings path is fixed before any window exists.
CQuizApp theApp;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    LoadBundledFonts();
    TellAboutPlayFolder();
    theApp.InitInstance();
    return 0;
}
