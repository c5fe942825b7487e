#include "platform/PlaceWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <vector>

namespace {

ScreenRect ToScreenRect(const QRect& rc)
{
    return {rc.x(), rc.y(), rc.width(), rc.height()};
}

// The frame the window manager puts round pMain. Until it has framed pMain (just shown, at
// start-up) there is none to see; then an estimate from the style, so that a window placed from
// it does not run off the screen once its own frame is added.
QSize FrameSize(const QWidget* pMain)
{
    const QSize frame = pMain->frameGeometry().size() - pMain->size();
    if (frame != QSize(0, 0))
        return frame;
    const QStyle* pStyle = pMain->style();
    const int nBorder = pStyle->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, pMain);
    const int nTitle = pStyle->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, pMain);
    return {2 * nBorder, nTitle + 2 * nBorder};
}

} // namespace

void PlaceWindowBeside(QWidget* pWindow, const QWidget* pMain, QSize want, QSize least, int nGap)
{
    const QSize frame = FrameSize(pMain);
    const QRect main(pMain->frameGeometry().topLeft(), pMain->size() + frame);
    want += frame;
    least += frame;
    const ScreenRect rc =
        PlaceBeside(ToScreenRect(main), ToScreenRect(pMain->screen()->availableGeometry()),
                    want.width(), want.height(), least.width(), least.height(), nGap);
    pWindow->resize(QSize(rc.cx, rc.cy) - frame);
    pWindow->move(rc.x, rc.y);
}

ScreenRect WindowRect(const QWidget* pWindow)
{
    return {pWindow->x(), pWindow->y(), pWindow->width(), pWindow->height()};
}

bool RestoreWindowRect(QWidget* pWindow, const QWidget* pMain, const ScreenRect& saved)
{
    const QSize frame = FrameSize(pMain);
    std::vector<ScreenRect> screens;
    for (const QScreen* pScreen : QGuiApplication::screens())
        screens.push_back(ToScreenRect(pScreen->availableGeometry()));
    const std::optional<ScreenRect> rc = FitOnScreens(
        {saved.x, saved.y, saved.cx + frame.width(), saved.cy + frame.height()}, screens);
    if (!rc)
        return false;
    pWindow->resize(QSize(rc->cx, rc->cy) - frame);
    pWindow->move(rc->x, rc->y);
    return true;
}
