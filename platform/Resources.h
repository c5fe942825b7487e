#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <string_view>

// The program's built-in pictures and sounds, reached by resource number.
// Nothing is decoded until asked for.

// Flag bitmap nId (158..225 and 300..432, see FlagCatalog); a null image when
// there is no such picture or it cannot be read.
QImage LoadFlagBitmap(int nId);

// The larger picture of the flag with catalogue code `code` ("bra"), drawn from the same artwork
// as the bitmaps at 256 px on its longer side, fitted into a box of `box` logical pixels without
// changing its proportions, for a screen of `dDevicePixelRatio` device pixels per logical one:
// the pixmap carries that ratio, so it is sharp at any scale up to twice a 128 px box. Decoded
// on each call, never at start-up. A null pixmap for an unknown code.
QPixmap LoadFlagPicture(std::string_view code, QSize box, qreal dDevicePixelRatio);

// The RIFF wave bytes of sound nId (145 right answer, 146 wrong answer);
// empty when there is no such sound.
QByteArray LoadWave(int nId);

// The program icon (group 128) in every size it carries, 16 to 256 px.
QIcon AppIcon();
