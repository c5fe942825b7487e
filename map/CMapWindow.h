#pragma once

#include "quiz/IAnswerObserver.h"

#include <QWidget>

#include <functional>

class CWorldMapView;

// The 地図 window: the world map beside the main window. Following a round, it highlights
// nothing while a question is open and the asked country once the answer is judged, until the
// next question starts.
class CMapWindow : public QWidget, public IAnswerObserver
{
  public:
    explicit CMapWindow(QWidget* pParent = nullptr);

    CWorldMapView* View() const { return m_pView; }
    // Moves the window beside pMain on its screen, covering it only where there is no room.
    void PlaceBeside(const QWidget* pMain);
    // Called when the user closes the window.
    void SetOnClosed(std::function<void()> fn) { m_onClosed = std::move(fn); }

    // IAnswerObserver
    void OnRoundStarted() override {}
    void OnQuestionShown() override;
    void OnJudged(const JudgedAnswer& answer) override;
    void OnRoundEnded() override {}

  protected:
    void closeEvent(QCloseEvent* pEvent) override;

  private:
    CWorldMapView* m_pView = nullptr;
    std::function<void()> m_onClosed;
};
