#pragma once

#include <QObject>

class QWidget;

// Swallows Enter and Esc key presses meant for one window and its controls, so the window
// closes only through its buttons, its close box or its own timer.
class EnterEscFilter : public QObject
{
public:
    explicit EnterEscFilter(QWidget* pWindow);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    QWidget* m_pWindow;
};
