#pragma once

class QLabel;
class QString;
class QWidget;

// Sets what a screen reader reads as pWidget's name. A change is announced; the same name again
// is not, so a refresh that changes nothing stays quiet.
void SetAccessibleName(QWidget* pWidget, const QString& strName);

// A label that shows a bare value ("66.7%", "10秒"): the value on screen, and "name value" for a
// screen reader, which would otherwise hear either the value without its meaning or, with a
// name set, the name without the value.
void ShowLabelValue(QLabel* pLabel, const QString& strName, const QString& strValue);

// Gives a window the alert role, so screen readers read its whole content when it opens.
// Call before the window is first shown.
void MarkAsAlert(QWidget* pWindow);
// Tells screen readers that an alert window has just opened.
void AnnounceAlert(QWidget* pWindow);
