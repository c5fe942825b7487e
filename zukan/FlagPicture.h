#pragma once

#include <QPixmap>

#include <string_view>

// A country's flag fitted into box (logical pixels), its shape kept, at the pixel ratio dpr;
// null for a code without a flag.
QPixmap FlagPicture(std::string_view code, QSize box, qreal dpr);
