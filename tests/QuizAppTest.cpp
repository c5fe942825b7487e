#include "app/CQuizApp.h"
#include "platform/DialogUnits.h"
#include "quiz/CQuizDlg.h"

#include "TestSupport.h"

#include <QFontInfo>
#include <gtest/gtest.h>

TEST(QuizApp, FixesTheSettingsPathInTheCurrentDirectoryOnce)
{
    TempDir dir;
    std::filesystem::path fixed;
    {
        ScopedCurrentDir cd(dir.Path());
        CQuizApp app;
        fixed = app.Profile().Path();
        TempDir other;
        ScopedCurrentDir cd2(other.Path());
        EXPECT_EQ(app.Profile().Path(), fixed); // moving away later does not move it
    }
    EXPECT_EQ(fixed, std::filesystem::canonical(dir.Path()) / "Parameter.INI");
}

TEST(DialogLayout, UsesAJapaneseFontAndWindowsDialogUnits)
{
    const QFont font = DialogFont();
    const QFontInfo info(font);
    EXPECT_TRUE(info.family().contains("Gothic") || info.family().contains("CJK") ||
                info.family().contains("ゴシック"))
        << info.family().toStdString();
    const DialogUnits du(font);
    EXPECT_GT(du.BaseX(), 3);
    EXPECT_GT(du.BaseY(), 8);
    EXPECT_EQ(du.Rect(4, 8, 8, 16), QRect(du.BaseX(), du.BaseY(), 2 * du.BaseX(), 2 * du.BaseY()));
}

TEST(QuizDialogShell, HasTheCaptionAndTheTemplateSize)
{
    TempDir dir;
    ProfileStore store(dir / "Parameter.INI");
    CQuizDlg dlg(store);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Marelto Ver1.0～首都・地域・公用語まで"));
    const DialogUnits du(dlg.font());
    EXPECT_GE(dlg.height(), du.Y(292));
    EXPECT_EQ(dlg.width(), du.X(358));
}
