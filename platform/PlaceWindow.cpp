#include "platform/PlaceWindow.h"

#include "platform/WindowPlacement.h"

#include <QScreen>
#include <QWidget>

namespace {

ScreenRect ToScreenRect(const QRect& rc)
{
    return {rc.x(), rc.y(), rc.width(), rc.height()};
}

} // namespace

void PlaceWindowBeside(QWidget* pWindow, const QWidget* pMain, QSize want, QSize least, int nGap)
{
    const QRect main = pMain->frameGeometry();
    const QSize frame = main.size() - pMain->size();
    want += frame;
    least += frame;
    const ScreenRect rc =
        PlaceBeside(ToScreenRect(main), ToScreenRect(pMain->screen()->availableGeometry()),
                    want.width(), want.height(), least.width(), least.height(), nGap);
    pWindow->resize(QSize(rc.cx, rc.cy) - frame);
    pWindow->move(rc.x, rc.y);
}
