#include "quiz/CColorStatic.h"

#include <QPainter>

CColorStatic::CColorStatic(QWidget* pParent) : QLabel(pParent)
{
    // Until the first round a lamp shows the window background colour.
    m_color = palette().color(QPalette::Base);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
}

CColorStatic& CColorStatic::SetColor(std::uint32_t nColor)
{
    m_color = QColor(static_cast<int>(nColor & 0xFF), static_cast<int>((nColor >> 8) & 0xFF),
                     static_cast<int>((nColor >> 16) & 0xFF));
    repaint(); // paint now, before a popup can open on top
    return *this;
}

void CColorStatic::paintEvent(QPaintEvent* pEvent)
{
    QPainter painter(this);
    painter.fillRect(contentsRect(), m_color);
    painter.end();
    QLabel::paintEvent(pEvent);
}
