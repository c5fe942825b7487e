#include "platform/MessageBox.h"

#include "platform/QtText.h"
#include "platform/Translations.h"

#include <QApplication>
#include <QMessageBox>

#ifdef _WIN32
#include <QWidget>

// After the header: the system's macros of the same names carry the same values.
#include <windows.h>
#endif

namespace {

MessageBoxHandler& Handler()
{
    static MessageBoxHandler handler;
    return handler;
}

} // namespace

void SetMessageBoxHandler(MessageBoxHandler handler)
{
    Handler() = std::move(handler);
}

int AfxMessageBox(std::string_view cp932Text, unsigned nType)
{
    return AfxMessageBox(ToQString(cp932Text), nType);
}

int AfxMessageBox(const QString& text, unsigned nType)
{
    if (Handler())
        return Handler()(text, nType);

#ifdef _WIN32
    // The system's own box, whose styles and answers the header's values already are.
    QWidget* pOwner = QApplication::activeWindow();
    const HWND hOwner = pOwner ? reinterpret_cast<HWND>(pOwner->winId()) : nullptr;
    const std::wstring caption = QCoreApplication::applicationName().toStdWString();
    const std::wstring body = text.toStdWString();
    const UINT nStyle = (nType & (MB_YESNO | MB_ICONSTOP | MB_ICONQUESTION | MB_ICONINFORMATION)) |
                        (hOwner ? MB_APPLMODAL : MB_TASKMODAL);
    const int nAnswer = ::MessageBoxW(hOwner, body.c_str(), caption.c_str(), nStyle);
    if ((nType & 0x0F) == MB_YESNO)
        return nAnswer == IDYES ? IDYES : IDNO;
    return IDOK;
#else
    LoadQtJapaneseTranslations(); // はい・いいえ even before the main window is painted
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
#endif
}
