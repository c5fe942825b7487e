#pragma once

#include <QString>

// The About entry the main window adds to its window menu, after a separator.
inline constexpr unsigned kIdmAboutBox = 16;

inline QString AboutMenuText()
{
    return QStringLiteral("Orbelinのﾊﾞｰｼﾞｮﾝ情報(&A)...");
}

// True for the About command. The low four bits of a window-menu command belong to the system,
// so they are ignored.
inline bool IsAboutCommand(unsigned nId)
{
    return (nId & 0xFFF0) == kIdmAboutBox;
}
