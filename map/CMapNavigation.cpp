#include "map/CMapNavigation.h"

#include <QKeyEvent>
#include <QLineF>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

CMapNavigation::CMapNavigation(QWidget* pView, Options options, std::function<void()> onChanged)
    : QObject(pView), m_pView(pView), m_options(options), m_onChanged(std::move(onChanged)),
      m_restCursor([pView] { pView->unsetCursor(); })
{
    pView->installEventFilter(this);
}

// A view not shown has its size without a resize event.
MapViewport& CMapNavigation::Viewport()
{
    if (m_viewport.Width() != m_pView->width() || m_viewport.Height() != m_pView->height())
        m_viewport.SetSize(m_pView->width(), m_pView->height());
    return m_viewport;
}

void CMapNavigation::Changed()
{
    if (m_onChanged)
        m_onChanged();
}

bool CMapNavigation::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched != m_pView)
        return false;
    switch (pEvent->type()) {
    case QEvent::Wheel: {
        auto* pWheel = static_cast<QWheelEvent*>(pEvent);
        if (m_bEnabled) {
            Viewport().Wheel({pWheel->position().x(), pWheel->position().y()},
                             pWheel->angleDelta().y());
            Changed();
        }
        pWheel->accept();
        return true;
    }
    case QEvent::MouseButtonDblClick:
        if (m_options.bBrowse) {
            Viewport().ShowWorld();
            Changed();
            return true;
        }
        [[fallthrough]]; // the second press of a double-click
    case QEvent::MouseButtonPress: {
        auto* pMouse = static_cast<QMouseEvent*>(pEvent);
        return pMouse->button() == Qt::LeftButton && Press(pMouse->position());
    }
    case QEvent::MouseMove:
        return Move(static_cast<QMouseEvent*>(pEvent)->position());
    case QEvent::MouseButtonRelease: {
        auto* pMouse = static_cast<QMouseEvent*>(pEvent);
        return pMouse->button() == Qt::LeftButton && Release(pMouse->position());
    }
    case QEvent::KeyPress:
        return Key(static_cast<QKeyEvent*>(pEvent)->key());
    default:
        return false;
    }
}

bool CMapNavigation::Press(QPointF pt)
{
    m_bPressed = true;
    m_ptPress = m_ptDragFrom = pt;
    m_bDragging = m_bEnabled && m_options.dDragThreshold <= 0;
    if (m_bDragging)
        m_pView->setCursor(Qt::ClosedHandCursor);
    return true;
}

bool CMapNavigation::Move(QPointF pt)
{
    if (!m_bPressed || !m_bEnabled)
        return false;
    if (!m_bDragging) {
        if (QLineF(m_ptPress, pt).length() < m_options.dDragThreshold)
            return true;
        m_bDragging = true;
        m_pView->setCursor(Qt::ClosedHandCursor);
    }
    const QPointF delta = pt - m_ptDragFrom;
    m_ptDragFrom = pt;
    Viewport().Drag(delta.x(), delta.y());
    Changed();
    return true;
}

bool CMapNavigation::Release(QPointF pt)
{
    if (!m_bPressed)
        return false;
    m_bPressed = false;
    const bool bClick = !m_bDragging;
    m_bDragging = false;
    m_restCursor();
    if (bClick && m_onClick)
        m_onClick(pt);
    return true;
}

bool CMapNavigation::Key(int nKey)
{
    if (!m_bEnabled)
        return false;
    MapViewport& viewport = Viewport();
    const bool bBrowse = m_options.bBrowse;
    switch (nKey) {
    case Qt::Key_Plus:
        viewport.ZoomStep(1);
        break;
    case Qt::Key_Minus:
        viewport.ZoomStep(-1);
        break;
    case Qt::Key_Home:
        if (!bBrowse)
            return false;
        viewport.ShowWorld();
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!bBrowse)
            return false;
        viewport.PanStep(nKey == Qt::Key_Left    ? -1
                         : nKey == Qt::Key_Right ? 1
                                                 : 0,
                         nKey == Qt::Key_Up     ? -1
                         : nKey == Qt::Key_Down ? 1
                                                : 0);
        break;
    default:
        return false;
    }
    Changed();
    return true;
}
