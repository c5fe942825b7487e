#pragma once

#include <QObject>

class QWidget;

// Swallows Enter and Esc key presses meant for one window and its controls, so the window
// closes only through its buttons, its close box or its own timer.
class CEnterEscFilter : public QObject
{
  public:
    explicit CEnterEscFilter(QWidget* pWindow);

    // Enter reaches this control (a field that acts on it); Esc is still swallowed, and so is an
    // Enter the control passes on to the window.
    void LetEnterThrough(QWidget* pControl) { m_pEnterTaker = pControl; }

  protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

  private:
    QWidget* m_pWindow;
    QWidget* m_pEnterTaker = nullptr;
};
