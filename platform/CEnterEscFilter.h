#pragma once

#include <QObject>

#include <vector>

class QWidget;

// Swallows Enter and Esc key presses meant for one window and its controls, so the window
// closes only through its buttons, its close box or its own timer.
class CEnterEscFilter : public QObject
{
  public:
    explicit CEnterEscFilter(QWidget* pWindow);

    // Enter reaches this control (a field that acts on it), as it does those let through before;
    // Esc is still swallowed, and so is an Enter the control passes on to the window.
    void LetEnterThrough(QWidget* pControl) { m_enterTakers.push_back(pControl); }

  protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

  private:
    QWidget* m_pWindow;
    std::vector<QWidget*> m_enterTakers;
};
