#include "map/CMapWindow.h"

#include "map/CWorldMapView.h"
#include "map/WindowPlacement.h"
#include "platform/DialogUnits.h"

#include <QCloseEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// Sizes in dialog units: the wanted one, and the least the map is still of use at.
constexpr int kWantCx = 320, kWantCy = 180;
constexpr int kLeastCx = 160, kLeastCy = 90;
constexpr int kGapCx = 4;

ScreenRect ToScreenRect(const QRect& rc)
{
    return {rc.x(), rc.y(), rc.width(), rc.height()};
}

} // namespace

CMapWindow::CMapWindow(QWidget* pParent) : QWidget(pParent, Qt::Window)
{
    setWindowTitle(QStringLiteral("地図"));
    setObjectName(QStringLiteral("mapWindow"));
    setFont(DialogFont());
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    m_pView = new CWorldMapView(this);
    m_pView->setObjectName(QStringLiteral("worldMap"));
    pLayout->addWidget(m_pView);
    const DialogUnits units(font());
    resize(units.Size(kWantCx, kWantCy));
}

void CMapWindow::PlaceBeside(const QWidget* pMain)
{
    const DialogUnits units(font());
    const QScreen* pScreen = pMain->screen();
    const QRect main = pMain->frameGeometry();
    // The frame this window will get, judged by the main window's.
    const QSize frame = main.size() - pMain->size();
    const QSize want = units.Size(kWantCx, kWantCy) + frame;
    const QSize least = units.Size(kLeastCx, kLeastCy) + frame;
    const ScreenRect rc =
        ::PlaceBeside(ToScreenRect(main), ToScreenRect(pScreen->availableGeometry()), want.width(),
                      want.height(), least.width(), least.height(), units.X(kGapCx));
    resize(QSize(rc.cx, rc.cy) - frame);
    move(rc.x, rc.y);
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
