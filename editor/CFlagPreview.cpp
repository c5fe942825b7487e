#include "editor/CFlagPreview.h"

#include "platform/Resources.h"

#include <QLabel>

CFlagPreview::CFlagPreview(QWidget* pParent, const QRect& rect, int nRowHeight)
    : QGroupBox(QStringLiteral("■国旗"), pParent)
{
    setObjectName(QStringLiteral("flagPreview"));
    setGeometry(rect);
    const int nTop = rect.height() - 4 * nRowHeight - 4;
    const int nNumberWidth = nRowHeight / 3;
    for (int i = 0; i < 4; ++i) {
        auto* pNumber = new QLabel(QString::number(i + 1), this);
        pNumber->setAlignment(Qt::AlignCenter);
        pNumber->setGeometry(4, nTop + i * nRowHeight, nNumberWidth, nRowHeight);
        pNumber->setAccessibleName(pNumber->text());
        m_numbers[static_cast<std::size_t>(i)] = pNumber;
        auto* pPicture = new QLabel(this);
        pPicture->setObjectName(QStringLiteral("previewFlag%1").arg(i + 1));
        pPicture->setAlignment(Qt::AlignCenter);
        pPicture->setGeometry(6 + nNumberWidth, nTop + i * nRowHeight + 2,
                              rect.width() - 12 - nNumberWidth, nRowHeight - 4);
        m_pictures[static_cast<std::size_t>(i)] = pPicture;
    }
    m_pNote = new QLabel(
        QStringLiteral("解答1～4がすべて国コード（例: bra）のとき、その国旗をここに表示します。"
                       "すべて@と国コード（例: @bra）のときは、その位置を地図に表示します"),
        this);
    m_pNote->setObjectName(QStringLiteral("flagPreviewNote"));
    m_pNote->setWordWrap(true);
    m_pNote->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_pNote->setGeometry(6, nTop, rect.width() - 12, 4 * nRowHeight);
    Apply();
}

void CFlagPreview::ShowCodes(const std::optional<std::array<std::string, 4>>& codes)
{
    if (codes == m_codes)
        return; // typing that changes no code keeps the pictures
    m_codes = codes;
    Apply();
}

void CFlagPreview::Apply()
{
    const std::optional<std::array<std::string, 4>>& codes = m_codes;
    m_pNote->setVisible(!codes);
    for (std::size_t i = 0; i < 4; ++i) {
        QLabel* pPicture = m_pictures[i];
        m_numbers[i]->setVisible(codes.has_value());
        pPicture->setVisible(codes.has_value());
        if (!codes) {
            pPicture->clear();
            continue;
        }
        const QString code = QString::fromStdString((*codes)[i]);
        pPicture->setPixmap(LoadFlagPicture((*codes)[i], pPicture->size(), devicePixelRatioF()));
        // The author's own view: the code is theirs to check, so it is named here.
        pPicture->setAccessibleName(QStringLiteral("解答%1 の国旗 %2").arg(i + 1).arg(code));
    }
}
