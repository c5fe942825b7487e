#include "platform/CDialogUnits.h"

#include <QFontMetrics>
#include <QStringList>

namespace {

int MulDiv(int a, int b, int c)
{
    return static_cast<int>((static_cast<long long>(a) * b + c / 2) / c);
}

} // namespace

QFont DialogFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPointSize(9);
    return font;
}

CDialogUnits::CDialogUnits(const QFont& font)
{
    const QFontMetrics fm(font);
    const int nWidth = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_nBaseX = (nWidth / 26 + 1) / 2;
    m_nBaseY = fm.height();
}

int CDialogUnits::X(int x) const
{
    return MulDiv(x, m_nBaseX, 4);
}
int CDialogUnits::Y(int y) const
{
    return MulDiv(y, m_nBaseY, 8);
}

QRect CDialogUnits::Rect(int x, int y, int cx, int cy) const
{
    return QRect(X(x), Y(y), X(cx), Y(cy));
}

QSize CDialogUnits::Size(int cx, int cy) const
{
    return QSize(X(cx), Y(cy));
}
