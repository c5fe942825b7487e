#pragma once

#include <QImage>

// Owns the picture of the flag on show; empty when there is none.
class CBitmap
{
  public:
    void Attach(QImage image) { m_image = std::move(image); }
    void DeleteObject() { m_image = QImage(); }
    bool IsEmpty() const { return m_image.isNull(); }
    const QImage& Image() const { return m_image; }

  private:
    QImage m_image;
};

// The flag on screen, for the life of the program.
extern CBitmap g_bmpFlag;
