#pragma once

#include <QObject>

#include <vector>

class QAction;
class QWidget;

// Menu commands that wait while a round runs. They follow the Start button, which the round
// disables at its start and enables at its end, so no round code needs to know of them.
class CRoundCommands : public QObject
{
  public:
    explicit CRoundCommands(QObject* pParent) : QObject(pParent) {}

    // Joins a command; it takes the Start button's state at once. Returns it, for chaining.
    QAction* Add(QAction* pAction);
    void Follow(QWidget* pStartButton);

  protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

  private:
    void Update();

    QWidget* m_pStart = nullptr;
    std::vector<QAction*> m_actions;
};
