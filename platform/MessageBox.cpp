#include "platform/MessageBox.h"

#include "platform/QtText.h"

#include <QApplication>
#include <QMessageBox>

namespace {

MessageBoxHandler& Handler()
{
    static MessageBoxHandler handler;
    return handler;
}

} // namespace

void SetMessageBoxHandler(MessageBoxHandler handler) { Handler() = std::move(handler); }

int AfxMessageBox(std::string_view cp932Text, unsigned nType)
{
    return AfxMessageBox(ToQString(cp932Text), nType);
}

int AfxMessageBox(const QString& text, unsigned nType)
{
    if (Handler())
        return Handler()(text, nType);

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QCoreApplication::applicationName());
    box.setText(text);
    if (nType & MB_ICONSTOP)
        box.setIcon(QMessageBox::Critical);
    else if (nType & MB_ICONQUESTION)
        box.setIcon(QMessageBox::Question);
    else if (nType & MB_ICONINFORMATION)
        box.setIcon(QMessageBox::Information);
    if ((nType & 0x0F) == MB_YESNO) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? IDYES : IDNO;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return IDOK;
}
