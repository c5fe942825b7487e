#include "map/CMapCommands.h"

#include "map/CMapWindow.h"
#include "map/CWorldMapView.h"
#include "platform/PlaceWindow.h"
#include "platform/ProfileStore.h"

#include <QAction>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <utility>

CMapCommands::CMapCommands(ProfileStore& profile, QWidget* pMain)
    : QObject(pMain), m_profile(profile), m_pMain(pMain)
{
    // Reopened once the main window is on screen, so the map never delays it; its place is kept
    // when the main window goes.
    pMain->installEventFilter(this);
}

void CMapCommands::SetAction(QAction* pAction)
{
    m_pAction = pAction;
    pAction->setCheckable(true);
    pAction->setChecked(SwitchOn());
    // The check mark follows the stored switch, not the click.
    connect(pAction, &QAction::triggered, this, [this] { OnMenuMap(); });
}

bool CMapCommands::SwitchOn() const
{
    return m_profile.IsOn(ProfileKeys::kMap);
}

void CMapCommands::OnMenuMap()
{
    m_profile.Write(ProfileKeys::kMap, SwitchOn() ? 0 : 1);
    const bool bOn = SwitchOn();
    if (m_pAction)
        m_pAction->setChecked(bOn);
    if (bOn)
        OpenWindow();
    else if (m_pWindow) {
        SaveWindowRect();
        CMapWindow* pWindow = std::exchange(m_pWindow, nullptr);
        pWindow->hide();
        pWindow->deleteLater();
    }
}

void CMapCommands::OpenWindow()
{
    if (m_pWindow)
        return m_pWindow->raise();
    m_pWindow = new CMapWindow(m_pMain);
    m_pWindow->setAttribute(Qt::WA_DeleteOnClose);
    m_pWindow->SetOnClosed([this] { OnWindowClosed(); });
    // Where the learner left it, if a screen still shows it; else beside the main window.
    const std::optional<ScreenRect> saved = ParseRect(m_profile.Get(ProfileKeys::kMapWindowRect));
    if (!saved || !RestoreWindowRect(m_pWindow, m_pMain, *saved))
        m_pWindow->PlaceBeside(m_pMain);
    if (!m_strJudged.empty())
        m_pWindow->View()->Highlight(m_strJudged);
    m_pWindow->show();
}

// A failed write costs only the place: the next opening uses the one kept before, or none.
void CMapCommands::SaveWindowRect()
{
    if (m_pWindow)
        m_profile.Write(ProfileKeys::kMapWindowRect, FormatRect(WindowRect(m_pWindow)));
}

void CMapCommands::OnWindowClosed()
{
    SaveWindowRect();
    m_pWindow = nullptr;
    m_profile.Write(ProfileKeys::kMap, 0);
    if (m_pAction)
        m_pAction->setChecked(SwitchOn());
}

void CMapCommands::OnQuestionShown()
{
    m_strJudged.clear();
    if (m_pWindow)
        m_pWindow->OnQuestionShown();
}

void CMapCommands::OnJudged(const JudgedAnswer& answer)
{
    m_strJudged = answer.strRecord.substr(0, 3);
    if (m_pWindow)
        m_pWindow->OnJudged(answer);
}

bool CMapCommands::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_pMain && pEvent->type() == QEvent::Hide)
        SaveWindowRect(); // the program ends with the window open
    if (pWatched == m_pMain && pEvent->type() == QEvent::Show && !m_bShown) {
        m_bShown = true;
        if (SwitchOn())
            QTimer::singleShot(0, this, [this] {
                if (SwitchOn())
                    OpenWindow();
            });
    }
    return QObject::eventFilter(pWatched, pEvent);
}
