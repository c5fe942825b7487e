#include "platform/CEnterEscFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>

CEnterEscFilter::CEnterEscFilter(QWidget* pWindow) : QObject(pWindow), m_pWindow(pWindow)
{
    qApp->installEventFilter(this);
}

bool CEnterEscFilter::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    const QEvent::Type type = pEvent->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
        return false;
    const int nKey = static_cast<QKeyEvent*>(pEvent)->key();
    if (nKey != Qt::Key_Return && nKey != Qt::Key_Enter && nKey != Qt::Key_Escape)
        return false;
    auto* pWidget = qobject_cast<QWidget*>(pWatched);
    if (!pWidget || pWidget->window() != m_pWindow)
        return false;
    if (nKey != Qt::Key_Escape &&
        std::find(m_enterTakers.begin(), m_enterTakers.end(), pWidget) != m_enterTakers.end())
        return false;
    return type == QEvent::KeyPress;
}
