#pragma once

#include <QSize>

class QWidget;

// Moves and sizes pWindow beside pMain on pMain's screen (platform/WindowPlacement.h): the wanted
// size where there is room, down to the least, over pMain only where nothing fits; nGap pixels
// apart. Sizes are of the window's contents; its frame is judged by pMain's.
void PlaceWindowBeside(QWidget* pWindow, const QWidget* pMain, QSize want, QSize least, int nGap);
