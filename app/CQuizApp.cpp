#include "app/CQuizApp.h"

#include "app/MainWindow.h"
#include "platform/AtomicFile.h"
#include "platform/Resources.h"
#include "platform/Translations.h"

#include <QApplication>
#include <QStyleFactory>

std::filesystem::path CQuizApp::SettingsPath()
{
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::current_path(ec);
    if (ec || dir.empty())
        return {};
    return dir / ProfileKeys::kFileName;
}

CQuizApp::CQuizApp() : m_profile(SettingsPath()) {}

bool CQuizApp::InitInstance()
{
    // The classic look the dialogs are laid out for: group titles on the frame line, sunken
    // edits and three-dimensional buttons.
    if (QStyle* pStyle = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(pStyle);
    const std::unique_ptr<CQuizDlg> pDlg = CreateMainWindow(m_profile);
    CQuizDlg& dlg = *pDlg;
    // Nothing that can wait delays the first paint.
    dlg.SetAfterFirstPaint([&dlg] {
        QApplication::setWindowIcon(AppIcon());
        dlg.setWindowIcon(AppIcon());
        LoadQtJapaneseTranslations();
        // What a save cut short by a kill or a power cut left beside its file.
        RemoveStaleTemporaries(".");
    });
    dlg.exec();
    return false;
}
