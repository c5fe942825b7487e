#pragma once

#include "map/MapViewport.h"

#include <QObject>
#include <QPointF>

#include <functional>

class QWidget;

// Zooming and panning a map view, watching its events: the wheel and the keys + and - zoom, a
// drag pans. A drag begins once the pointer has moved the threshold from the press (at the press
// itself for none); a press and release without one is a click, handed on. The viewport takes
// the view's size whenever it is used, and the view is told of each change.
class CMapNavigation : public QObject
{
  public:
    struct Options
    {
        double dDragThreshold = 0;
        // Browsing: the arrow keys pan, Home and a double-click show the whole world.
        bool bBrowse = false;
    };

    CMapNavigation(QWidget* pView, Options options, std::function<void()> onChanged);

    // What the view shows, at its size.
    MapViewport& Viewport();

    // Off: nothing zooms or pans (the wheel is still taken), clicks still count.
    void SetEnabled(bool bEnabled) { m_bEnabled = bEnabled; }
    void SetClickHandler(std::function<void(QPointF)> onClick) { m_onClick = std::move(onClick); }
    // The cursor after a press ends; by default the view's own.
    void SetRestCursor(std::function<void()> restCursor) { m_restCursor = std::move(restCursor); }

  protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

  private:
    void Changed();
    bool Press(QPointF pt);
    bool Move(QPointF pt);
    bool Release(QPointF pt);
    bool Key(int nKey);

    QWidget* m_pView;
    MapViewport m_viewport;
    Options m_options;
    std::function<void()> m_onChanged;
    std::function<void(QPointF)> m_onClick;
    std::function<void()> m_restCursor;
    bool m_bEnabled = true;
    bool m_bPressed = false;
    bool m_bDragging = false;
    QPointF m_ptPress;
    QPointF m_ptDragFrom;
};
