#include "app/CQuizApp.h"
#include "platform/DialogUnits.h"
#include "quiz/CQuizDlg.h"

#include "TestSupport.h"

#include <QFontInfo>
#include <QTimer>
#include <QWindow>
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

// A close request ends the quiz window whenever it comes, also while start-up work that waits
// for the first paint is running or still queued.
enum class CloseAt { BeforeFirstPaint, DuringDeferredWork, AfterDeferredWork };

class QuizDialogCloseTest : public ::testing::TestWithParam<CloseAt>
{
};

TEST_P(QuizDialogCloseTest, EndsTheWindow)
{
    TempDir dir;
    ProfileStore store(dir / "Parameter.INI");
    CQuizDlg dlg(store);
    auto requestClose = [&dlg] { dlg.windowHandle()->close(); };
    bool bDeferredRan = false;
    dlg.SetAfterFirstPaint([&] {
        bDeferredRan = true;
        if (GetParam() == CloseAt::DuringDeferredWork)
            requestClose();
        else if (GetParam() == CloseAt::AfterDeferredWork)
            QTimer::singleShot(0, &dlg, requestClose);
    });
    if (GetParam() == CloseAt::BeforeFirstPaint)
        QTimer::singleShot(0, &dlg, requestClose);
    bool bTimedOut = false;
    QTimer::singleShot(5000, &dlg, [&] { bTimedOut = true; dlg.hide(); }); // only on failure
    dlg.exec();
    EXPECT_FALSE(bTimedOut);
    if (GetParam() != CloseAt::BeforeFirstPaint)
        EXPECT_TRUE(bDeferredRan);
}

std::string CloseAtName(const ::testing::TestParamInfo<CloseAt>& info)
{
    constexpr const char* kNames[] = {"BeforeFirstPaint", "DuringDeferredWork",
                                      "AfterDeferredWork"};
    return kNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Times, QuizDialogCloseTest,
                         ::testing::Values(CloseAt::BeforeFirstPaint, CloseAt::DuringDeferredWork,
                                           CloseAt::AfterDeferredWork),
                         CloseAtName);
