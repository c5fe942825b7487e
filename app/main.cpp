#include "app/CQuizApp.h"

#include <QApplication>

// Constructed before main, so the settings path is fixed before any window exists.
CQuizApp theApp;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    theApp.InitInstance();
    return 0;
}
