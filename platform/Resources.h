#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>

// The program's built-in pictures and sounds, reached by resource number.
// Nothing is decoded until asked for.

// Flag bitmap nId (158..225 and 300..432, see FlagCatalog); a null image when
// there is no such picture or it cannot be read.
QImage LoadFlagBitmap(int nId);

// The RIFF wave bytes of sound nId (145 right answer, 146 wrong answer);
// empty when there is no such sound.
QByteArray LoadWave(int nId);

// The program icon (group 128) in every size it carries, 16 to 256 px.
QIcon AppIcon();
