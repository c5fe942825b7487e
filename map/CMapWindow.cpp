#include "map/CMapWindow.h"

#include "map/CWorldMapView.h"
#include "platform/CDialogUnits.h"
#include "platform/PlaceWindow.h"

#include <QCloseEvent>
#include <QVBoxLayout>

namespace {

// Sizes in dialog units: the wanted one, and the least the map is still of use at.
constexpr int kWantCx = 320, kWantCy = 180;
constexpr int kLeastCx = 160, kLeastCy = 90;
constexpr int kGapCx = 4;

} // namespace

// A tool window of the main window: the window manager keeps it above the main window, so
// where the screen has no room beside it, it covers part of it rather than hiding behind it.
CMapWindow::CMapWindow(QWidget* pParent) : QWidget(pParent, Qt::Tool)
{
    setWindowTitle(QStringLiteral("地図"));
    setObjectName(QStringLiteral("mapWindow"));
    setFont(DialogFont());
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    m_pView = new CWorldMapView(this);
    m_pView->setObjectName(QStringLiteral("worldMap"));
    pLayout->addWidget(m_pView);
    const CDialogUnits units(font());
    resize(units.Size(kWantCx, kWantCy));
}

void CMapWindow::PlaceBeside(const QWidget* pMain)
{
    const CDialogUnits units(font());
    PlaceWindowBeside(this, pMain, units.Size(kWantCx, kWantCy), units.Size(kLeastCx, kLeastCy),
                      units.X(kGapCx));
}

void CMapWindow::OnQuestionShown()
{
    m_pView->Clear();
}

void CMapWindow::OnJudged(const JudgedAnswer& answer)
{
    // The asked country's code is the record's first three bytes.
    m_pView->Highlight(std::string_view(answer.strRecord).substr(0, 3));
}

void CMapWindow::closeEvent(QCloseEvent* pEvent)
{
    pEvent->accept();
    if (m_onClosed)
        m_onClosed();
}
