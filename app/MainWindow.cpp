#include "app/MainWindow.h"

#include "about/AboutMenu.h"
#include "about/CAboutDlg.h"
#include "about/Help.h"
#include "editor/CEditDlg.h"
#include "learning/CLearningCommands.h"
#include "map/CMapCommands.h"
#include "print/CPrintCommands.h"
#include "questionfile/CQuestionFileMenu.h"
#include "settings/CSettingDlg.h"
#include "typing/TypedAnswerJudge.h"
#include "zukan/CZukanCommands.h"

#include <QAction>

namespace {

// The other windows are modal over the main one; the question clock keeps running under them.
template <class Dialog, class... Args> void RunModal(Args&&... args)
{
    Dialog dlg(std::forward<Args>(args)...);
    dlg.exec();
}

} // namespace

std::unique_ptr<CQuizDlg> CreateMainWindow(ProfileStore& profile, QuizTiming timing)
{
    auto pDlg = std::make_unique<CQuizDlg>(profile, nullptr, timing);
    CQuizDlg* pWindow = pDlg.get();
    auto openEditor = [&profile, pWindow] { RunModal<CEditDlg>(profile, pWindow); };
    auto openAbout = [pWindow] { RunModal<CAboutDlg>(pWindow); };

    QObject::connect(pWindow, &CQuizDlg::editRequested, pWindow, openEditor);
    QObject::connect(pWindow, &CQuizDlg::settingsRequested, pWindow,
                     [&profile, pWindow] { RunModal<CSettingDlg>(profile, pWindow); });
    QObject::connect(pWindow, &CQuizDlg::aboutRequested, pWindow, openAbout);
    QObject::connect(pWindow, &CQuizDlg::supportRequested, pWindow, &OpenSupportPage);
    pWindow->AddSystemCommand(AboutMenuText(), kIdmAboutBox);
    QObject::connect(pWindow, &CQuizDlg::sysCommand, pWindow, [openAbout](unsigned nId) {
        if (IsAboutCommand(nId))
            openAbout();
    });

    // The ファイル menu, top to bottom.
    auto* pQuestionFile = new CQuestionFileMenu(profile, pWindow);
    QObject::connect(pWindow->AddFileCommand(QStringLiteral("問題ファイルを開く(&O)..."),
                                             QStringLiteral("menuOpenQuestion"), true),
                     &QAction::triggered, pQuestionFile, &CQuestionFileMenu::OnMenuOpenQuestion);
    QObject::connect(pWindow->AddFileCommand(QStringLiteral("問題の編集(&D)..."),
                                             QStringLiteral("menuEditQuestion"), true),
                     &QAction::triggered, pWindow, openEditor);
    auto* pLearning = new CLearningCommands(profile, pWindow->Round(), pWindow);
    QObject::connect(pWindow->AddFileCommand(QStringLiteral("間違えた問題を復習(&R)"),
                                             QStringLiteral("menuReview"), true),
                     &QAction::triggered, pLearning, &CLearningCommands::OnMenuReview);
    QObject::connect(
        pWindow->AddFileCommand(QStringLiteral("成績(&G)..."), QStringLiteral("menuResults"), true),
        &QAction::triggered, pLearning, &CLearningCommands::OnMenuResults);
    // Between rounds and during one: the 図鑑 only reads, and its drill command waits.
    auto* pZukan = new CZukanCommands(profile, pWindow);
    QObject::connect(pWindow->AddFileCommand(QStringLiteral("国旗図鑑(&Z)..."),
                                             QStringLiteral("menuZukan"), false),
                     &QAction::triggered, pZukan, &CZukanCommands::OnMenuZukan);
    pWindow->AddRoundCommand(pZukan->DrillAction());
    // The results window's mastery map opens a country in the 図鑑 and drills from its file.
    pLearning->SetZukanLinks([pZukan](const std::string& code) { pZukan->OpenCountry(code); },
                             &CZukanCommands::WorldFile);
    // Printing reads the question file or the 図鑑's choice; it may run during a round.
    auto* pPrint = new CPrintCommands(profile, pWindow, [pZukan] {
        const std::set<std::string> codes = pZukan->ChosenCodes();
        return ChosenCountries{{codes.begin(), codes.end()},
                               codes.empty() ? std::string() : pZukan->ChosenRecords(codes)};
    });
    QObject::connect(pWindow->AddFileCommand(QStringLiteral("印刷用PDFを作成(&P)..."),
                                             QStringLiteral("menuPrint"), false),
                     &QAction::triggered, pPrint, &CPrintCommands::OnMenuPrint);

    // The 設定 menu, below 効果音: the world map beside the main window, following the round.
    auto* pMap = new CMapCommands(profile, pWindow);
    pMap->SetAction(
        pWindow->AddSettingsCommand(QStringLiteral("地図を表示(&M)"), QStringLiteral("menuMap")));
    pWindow->Round().AddObserver(pMap);
    // Below it, typing the answers of text questions, judged against the facts table.
    pWindow->AddTypingSwitch(std::make_unique<TypedAnswerJudge>()); // reads nothing until used
    return pDlg;
}
