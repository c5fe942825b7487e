#pragma once

#include "map/MapLabel.h"
#include "map/PositionFrame.h"
#include "quiz/CPositionAnswers.h"

#include <array>
#include <memory>
#include <string>

class CMapNavigation;
class CMapPaths;
class QAbstractButton;

// The map that answers a position question in the main window. Choosing: the four candidates
// framed, tinted and numbered (a ring round a state too small to see), the numbers being buttons
// 1-4; a click on a candidate answers, a click elsewhere does nothing. Pointing: the asked
// country's region with nothing marked; the wheel zooms, a drag pans, one click answers; the
// arrow keys move a selection from country to country and Enter answers with it. After the
// verdict the asked country is red and labelled. Nothing of the map is read before the first
// position question.
class CPositionMapView : public CPositionAnswers
{
  public:
    explicit CPositionMapView(QWidget* pParent = nullptr);
    ~CPositionMapView() override;

    void ShowQuestion(const std::array<std::string, 4>& codes, std::string_view asked,
                      bool bPointing) override;
    void Reveal() override;
    std::string NameOf(std::string_view code) const override;

    bool IsPointing() const { return m_bPointing; }
    const ChoiceFrame& Choice() const { return m_choice; }
    // The shown part of the map and its scale (pixels per map unit).
    const PositionFrame& View() const { return m_view; }
    // Map units to the widget's pixels, and back.
    QPointF ToWidget(MapPoint p) const;
    MapPoint ToMap(QPointF p) const;
    // The selection the arrow keys move; empty when none.
    const std::string& SelectedCode() const { return m_strSelected; }
    // Paints the map as it is in view onto a device of the widget's size.
    void Render(QPainter& painter);

    QSize sizeHint() const override { return {480, 160}; }

  protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;

  private:
    CMapPaths& Paths();
    const WorldMap& Map();
    void Frame();
    // The pointing view zoomed or panned: shown as it now is.
    void Navigated();
    void ClickAt(QPointF ptWidget);
    void RestoreCursor();
    void MoveSelection(double dx, double dy);
    void PlaceNumbers();
    void PaintOverlay(QPainter& painter);

    std::unique_ptr<CMapPaths> m_pPaths;
    std::array<std::string, 4> m_codes;
    std::string m_strAsked;
    bool m_bPointing = false;
    bool m_bShown = false; // a question has been framed
    bool m_bRevealed = false;
    ChoiceFrame m_choice;
    PositionFrame m_view;
    CMapNavigation* m_pNavigation; // pointing: the wheel, drags and + and -
    std::string m_strSelected;
    int m_nMoves = 0; // of the selection, for its announcement
    std::array<QAbstractButton*, 4> m_numbers{};
};
