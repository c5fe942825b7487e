#pragma once

#include "platform/WindowPlacement.h"

#include <QSize>

class QWidget;

// Moves and sizes pWindow beside pMain on pMain's screen (platform/WindowPlacement.h): the wanted
// size where there is room, down to the least, over pMain only where nothing fits; nGap pixels
// apart. Sizes are of the window's contents; its frame is judged by pMain's.
void PlaceWindowBeside(QWidget* pWindow, const QWidget* pMain, QSize want, QSize least, int nGap);

// The window's place (its frame's top left) and size (without the frame), as it is kept.
ScreenRect WindowRect(const QWidget* pWindow);
// Puts pWindow where WindowRect found it, moved and cut onto the screens there are now, its frame
// judged by pMain's. False, and nothing done, when no screen shows any of it.
bool RestoreWindowRect(QWidget* pWindow, const QWidget* pMain, const ScreenRect& saved);
