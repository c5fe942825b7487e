#include "quiz/CAnswerKeyFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

CAnswerKeyFilter::CAnswerKeyFilter(QWidget* pWindow, const std::array<QPushButton*, 4>& buttons)
    : QObject(pWindow), m_pWindow(pWindow), m_buttons(buttons)
{
    qApp->installEventFilter(this);
}

bool CAnswerKeyFilter::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pEvent->type() != QEvent::KeyPress)
        return false;
    const auto* pKey = static_cast<QKeyEvent*>(pEvent);
    const int nIndex = pKey->key() - Qt::Key_1;
    if (nIndex < 0 || nIndex >= 4 || pKey->isAutoRepeat() ||
        (pKey->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    auto* pWidget = qobject_cast<QWidget*>(pWatched);
    QPushButton* pButton = m_buttons[static_cast<std::size_t>(nIndex)];
    if (!pWidget || pWidget->window() != m_pWindow || !pButton->isEnabled())
        return false;
    pButton->click();
    return true;
}
