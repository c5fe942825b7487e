#pragma once

#include <QColor>
#include <QLabel>

#include <cstdint>

// A sunken static whose whole background is one colour set at run time: a lamp.
class CColorStatic : public QLabel
{
  public:
    explicit CColorStatic(QWidget* pParent = nullptr);

    // COLORREF (red in the lowest byte). The new colour is on screen before this returns.
    CColorStatic& SetColor(std::uint32_t nColor);
    QColor Color() const { return m_color; }

  protected:
    void paintEvent(QPaintEvent* pEvent) override;

  private:
    QColor m_color;
};
