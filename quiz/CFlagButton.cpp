#include "quiz/CFlagButton.h"

#include "platform/FlagOutline.h"
#include "platform/Resources.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace {

constexpr int kFrame = 2; // room for the hover and focus frame around the picture

} // namespace

CFlagButton::CFlagButton(QWidget* pParent) : QAbstractButton(pParent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}

void CFlagButton::SetCode(const std::string& code)
{
    m_strCode = code;
    Load();
    update();
}

void CFlagButton::Load()
{
    m_dLoadedRatio = devicePixelRatioF();
    const QSize box = size().shrunkBy({kFrame, kFrame, kFrame, kFrame});
    m_picture = m_strCode.empty() ? QPixmap() : LoadFlagPicture(m_strCode, box, m_dLoadedRatio);
}

void CFlagButton::paintEvent(QPaintEvent*)
{
    // Moved to a screen of another scale: the picture is loaded again for it.
    if (devicePixelRatioF() != m_dLoadedRatio && !m_strCode.empty())
        Load();
    QPainter painter(this);
    if (!m_picture.isNull()) {
        const QSize size = m_picture.deviceIndependentSize().toSize();
        // Centred across, at the top: the flags' top edges line up under their numbers.
        const QRect target(QPoint((width() - size.width()) / 2, kFrame), size);
        painter.drawPixmap(target, m_picture);
        DrawFlagOutline(painter, target, palette());
    }
    if (isEnabled() && (underMouse() || isDown())) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), kFrame));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}
