#include "editor/CPlacePreview.h"

#include "editor/CPlaceMap.h"
#include "facts/Facts.h"
#include "platform/Accessibility.h"

#include <QLabel>

CPlacePreview::CPlacePreview(QWidget* pParent, const QRect& rect, int nRowHeight)
    : QGroupBox(QStringLiteral("■位置"), pParent)
{
    setObjectName(QStringLiteral("placePreview"));
    setGeometry(rect);
    const int nListTop = rect.height() - 4 * nRowHeight - 4;
    const int nMapTop = fontMetrics().height() + 4;
    m_pMap = new CPlaceMap(this);
    m_pMap->setObjectName(QStringLiteral("placeMap"));
    m_pMap->setGeometry(6, nMapTop, rect.width() - 12, nListTop - nMapTop - 4);
    SetAccessibleName(m_pMap, QStringLiteral("解答1～4の位置の地図"));
    for (int i = 0; i < 4; ++i) {
        auto* pName = new QLabel(this);
        pName->setObjectName(QStringLiteral("placeName%1").arg(i + 1));
        pName->setGeometry(6, nListTop + i * nRowHeight, rect.width() - 12, nRowHeight);
        m_names[std::size_t(i)] = pName;
    }
    hide();
}

void CPlacePreview::ShowPlaces(const std::optional<std::array<std::string, 4>>& codes)
{
    setVisible(codes.has_value());
    if (!codes || codes == m_codes)
        return; // typing that changes no code keeps the map
    m_codes = codes;
    m_pMap->SetPlaces(*codes);
    QString description;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string& code = (*codes)[i];
        const Facts::Country* pCountry = Facts::FindCountry(code);
        const QString name = pCountry && !pCountry->names.empty()
                                 ? QString::fromUtf8(pCountry->names.front().data(),
                                                     qsizetype(pCountry->names.front().size()))
                                 : QString::fromStdString(code);
        const QString text = QStringLiteral("%1 %2").arg(i + 1).arg(name);
        QLabel* pName = m_names[i];
        pName->setText(pName->fontMetrics().elidedText(text, Qt::ElideRight, pName->width()));
        pName->setToolTip(text);
        // The author's own view: the places are theirs to check, so they are named here.
        const QString spoken = QStringLiteral("解答%1 の位置 %2（%3）")
                                   .arg(i + 1)
                                   .arg(name, QString::fromStdString(code));
        SetAccessibleName(pName, spoken);
        description += (description.isEmpty() ? QString() : QStringLiteral("、")) + spoken;
    }
    m_pMap->setAccessibleDescription(description);
}
