#pragma once

#include <QFont>
#include <QRect>

// Lays dialogs out from their templates' dialog units, as the Windows dialog manager does:
// the horizontal unit is a quarter of the font's average character width, the vertical one
// an eighth of its height.
class CDialogUnits
{
  public:
    explicit CDialogUnits(const QFont& font);

    QRect Rect(int x, int y, int cx, int cy) const;
    QSize Size(int cx, int cy) const;
    int X(int x) const;
    int Y(int y) const;

    int BaseX() const { return m_nBaseX; }
    int BaseY() const { return m_nBaseY; }

  private:
    int m_nBaseX;
    int m_nBaseY;
};

// A modal frame with a caption and a close box only: no minimise or maximise box.
inline constexpr Qt::WindowFlags kDialogWindowFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowCloseButtonHint;

// The dialogs' font: "ＭＳ Ｐゴシック" 9 pt, or a metric-compatible stand-in.
QFont DialogFont();
