#include "app/CQuizApp.h"

#include "quiz/CQuizDlg.h"

std::filesystem::path CQuizApp::SettingsPath()
{
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::current_path(ec);
    if (ec || dir.empty())
        return {};
    return dir / "Parameter.INI";
}

CQuizApp::CQuizApp() : m_profile(SettingsPath()) {}

bool CQuizApp::InitInstance()
{
    CQuizDlg dlg(m_profile);
    m_pMainWnd = &dlg;
    dlg.exec();
    m_pMainWnd = nullptr;
    return false;
}
