// The main window's menus: its own entries, and the commands the application hangs on it.
#include "quiz/CQuizDlg.h"

#include "platform/ProfileStore.h"
#include "quiz/CRoundCommands.h"
#include "quiz/ProfileSwitch.h"

#include <QMenu>
#include <QMenuBar>

void CQuizDlg::CreateMenu()
{
    auto* pBar = new QMenuBar(this);
    pBar->setObjectName(QStringLiteral("menuBar"));
    m_pFileMenu = pBar->addMenu(QStringLiteral("ファイル(&F)"));
    m_pRoundCommands = new CRoundCommands(this);
    m_pFileEnd = m_pFileMenu->addSeparator();
    QAction* pExit =
        m_pFileMenu->addAction(QStringLiteral("終了(&E)"), this, &CQuizDlg::OnMenuExit);
    pExit->setObjectName(QStringLiteral("menuExit"));
    m_pSettingsMenu = pBar->addMenu(QStringLiteral("設定(&C)"));
    m_pSettingsMenu->addAction(QStringLiteral("出題設定(&A)"), this, &CQuizDlg::OnMenuSetting)
        ->setObjectName(QStringLiteral("menuSetting"));
    m_pSoundAction = m_pSettingsMenu->addAction(QStringLiteral("効果音(&K)"));
    m_pSoundAction->setObjectName(QStringLiteral("menuSound"));
    m_pSoundAction->setCheckable(true);
    // The check mark follows the stored switch, not the click.
    connect(m_pSoundAction, &QAction::triggered, this, [this] { OnMenuSound(); });
    QMenu* pHelp = pBar->addMenu(QStringLiteral("ヘルプ(&H)"));
    pHelp->addAction(QStringLiteral("説明と出題国旗リスト(&S)"), this, &CQuizDlg::OnMenuSupport)
        ->setObjectName(QStringLiteral("menuSupport"));
    pHelp->addAction(QStringLiteral("バージョン情報(&V)"), this, &CQuizDlg::OnMenuAbout)
        ->setObjectName(QStringLiteral("menuAbout"));
    m_nTop = pBar->sizeHint().height();
    pBar->setGeometry(0, 0, 0, m_nTop); // width set with the window's below
}

QAction* CQuizDlg::AddFileCommand(const QString& text, const QString& name, bool bWaitsForRound)
{
    auto* pAction = new QAction(text, m_pFileMenu);
    pAction->setObjectName(name);
    m_pFileMenu->insertAction(m_pFileEnd, pAction);
    if (bWaitsForRound)
        m_pRoundCommands->Add(pAction);
    return pAction;
}

void CQuizDlg::AddRoundCommand(QAction* pAction)
{
    m_pRoundCommands->Add(pAction);
}

QAction* CQuizDlg::AddSettingsCommand(const QString& text, const QString& name)
{
    QAction* pAction = m_pSettingsMenu->addAction(text);
    pAction->setObjectName(name);
    return pAction;
}

QAction* CQuizDlg::AddTypingSwitch(std::unique_ptr<ITypedAnswerJudge> judge)
{
    m_pTypedJudge = std::move(judge);
    m_round.SetTypedAnswerJudge(m_pTypedJudge.get());
    QAction* pAction =
        AddSettingsCommand(QStringLiteral("答えを入力する(&T)"), QStringLiteral("menuInput"));
    BindProfileSwitch(pAction, m_profile, ProfileKeys::kTyping);
    return pAction;
}

void CQuizDlg::AddSystemCommand(const QString& text, unsigned nId)
{
    m_systemCommands.emplace_back(text, nId);
}

void CQuizDlg::ShowSystemMenu(const QPoint& pos)
{
    if (m_systemCommands.empty())
        return;
    QMenu menu(this);
    menu.addSeparator();
    for (const auto& [text, nId] : m_systemCommands)
        menu.addAction(text, this, [this, nId = nId] { OnSysCommand(nId); });
    menu.exec(mapToGlobal(pos));
}

void CQuizDlg::OnMenuSound()
{
    m_profile.Write(ProfileKeys::kSound, m_nSound == 1 ? 0 : 1);
    m_nSound = m_profile.Get(ProfileKeys::kSound);
    m_pSoundAction->setChecked(m_nSound == 1);
}
