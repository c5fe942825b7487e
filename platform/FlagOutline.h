#pragma once

#include <QPixmap>
#include <QRect>

class QPainter;
class QPalette;

// Every flag picture is shown with a thin outline, as atlases print flags, so that a white part
// (日本, インドネシア, シンガポール, タイ) keeps its edge against a light window: a line one
// pixel wide, in the palette's mid tone, on the picture's outermost pixels.
void DrawFlagOutline(QPainter& painter, const QRect& picture, const QPalette& palette);

// The picture with its outline, at the same size and scale, for a label to show.
QPixmap OutlinedFlag(QPixmap picture, const QPalette& palette);
