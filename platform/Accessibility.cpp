#include "platform/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace {

const char* const kAlertProperty = "mareltoAlert";

QAccessibleInterface* AlertFactory(const QString& /*strClass*/, QObject* pObject)
{
    auto* pWidget = qobject_cast<QWidget*>(pObject);
    if (!pWidget || !pWidget->isWindow() || !pObject->property(kAlertProperty).toBool())
        return nullptr;
    return new QAccessibleWidget(pWidget, QAccessible::AlertMessage);
}

} // namespace

void SetAccessibleName(QWidget* pWidget, const QString& strName)
{
    if (pWidget->accessibleName() != strName)
        pWidget->setAccessibleName(strName); // raises NameChanged
}

void ShowLabelValue(QLabel* pLabel, const QString& strName, const QString& strValue)
{
    pLabel->setText(strValue);
    const QString strShown = strValue.trimmed();
    SetAccessibleName(pLabel, strShown.isEmpty() ? strName : strName + u' ' + strShown);
}

void MarkAsAlert(QWidget* pWindow)
{
    // Marked windows get their interface from this factory, with the alert role.
    QAccessible::installFactory(AlertFactory);
    pWindow->setProperty(kAlertProperty, true);
}

void AnnounceAlert(QWidget* pWindow)
{
    QAccessibleEvent event(pWindow, QAccessible::Alert);
    QAccessible::updateAccessibility(&event);
}
