#include "quiz/CAnswerArea.h"

#include <QGroupBox>

int CAnswerArea::AddVariant(std::vector<QWidget*> widgets, const QString& strDescription)
{
    const bool bFirst = m_variants.empty();
    for (QWidget* pWidget : widgets)
        pWidget->setVisible(bFirst);
    if (bFirst)
        m_pGroup->setAccessibleDescription(strDescription);
    m_variants.push_back({std::move(widgets), strDescription});
    return static_cast<int>(m_variants.size()) - 1;
}

void CAnswerArea::Show(int nVariant)
{
    if (nVariant == m_nShown || nVariant < 0 || nVariant >= static_cast<int>(m_variants.size()))
        return;
    for (QWidget* pWidget : m_variants[static_cast<std::size_t>(m_nShown)].widgets)
        pWidget->hide();
    const Variant& shown = m_variants[static_cast<std::size_t>(nVariant)];
    for (QWidget* pWidget : shown.widgets)
        pWidget->show();
    m_nShown = nVariant;
    // The description changes with every switch, so screen readers hear of it (DescriptionChanged).
    m_pGroup->setAccessibleDescription(shown.strDescription);
}
