#pragma once

#include <QString>

#include <functional>
#include <string_view>

class QWidget;

// Message box styles and answers, with the values the question files' home platform uses.
enum : unsigned
{
    MB_OK = 0x00,
    MB_YESNO = 0x04,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONINFORMATION = 0x40,
};
enum : int
{
    IDOK = 1,
    IDCANCEL = 2,
    IDYES = 6,
    IDNO = 7
};

// Shows a fixed text (cp932) modally, captioned with the program's name; returns the button.
int AfxMessageBox(std::string_view cp932Text, unsigned nType);
// The same for text that is already Unicode (system error reports).
int AfxMessageBox(const QString& text, unsigned nType);

// Tests answer message boxes here instead of a modal loop. An empty handler restores the real box.
using MessageBoxHandler = std::function<int(const QString& text, unsigned nType)>;
void SetMessageBoxHandler(MessageBoxHandler handler);
