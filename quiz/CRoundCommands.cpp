#include "quiz/CRoundCommands.h"

#include <QAction>
#include <QEvent>
#include <QWidget>

QAction* CRoundCommands::Add(QAction* pAction)
{
    m_actions.push_back(pAction);
    Update();
    return pAction;
}

void CRoundCommands::Follow(QWidget* pStartButton)
{
    m_pStart = pStartButton;
    m_pStart->installEventFilter(this);
    Update();
}

bool CRoundCommands::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_pStart && pEvent->type() == QEvent::EnabledChange)
        Update();
    return false;
}

void CRoundCommands::Update()
{
    // The button's own state, not its window's: a disabled window is no round.
    const bool bIdle = !m_pStart || m_pStart->isEnabledTo(m_pStart->window());
    for (QAction* pAction : m_actions)
        pAction->setEnabled(bIdle);
}
