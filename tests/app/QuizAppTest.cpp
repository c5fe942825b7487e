#include "app/CQuizApp.h"
#include "app/MainWindow.h"
#include "platform/CDialogUnits.h"
#include "quiz/CQuizDlg.h"

#include "TestSupport.h"

#include <QApplication>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
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
    const CDialogUnits du(font);
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
    const CDialogUnits du(dlg.font());
    EXPECT_GE(dlg.height(), du.Y(292));
    EXPECT_EQ(dlg.width(), du.X(358));
}

namespace {

QStringList MenuTexts(const CQuizDlg& dlg)
{
    QStringList texts;
    for (QAction* pMenu : dlg.findChild<QMenuBar*>("menuBar")->actions()) {
        texts << pMenu->text();
        for (QAction* pAction : pMenu->menu()->actions())
            texts << "  " + (pAction->isSeparator() ? QStringLiteral("-") : pAction->text());
    }
    return texts;
}

} // namespace

// The quiz window alone only asks for the other windows; the shell adds the capabilities'
// commands without moving any of the window's own.
TEST(QuizDialogShell, AsksForOtherWindowsAndTheShellAddsTheirCommands)
{
    TempDir dir;
    ProfileStore store(dir / "Parameter.INI");
    CQuizDlg bare(store);
    QSignalSpy settings(&bare, &CQuizDlg::settingsRequested);
    QSignalSpy about(&bare, &CQuizDlg::aboutRequested);
    QSignalSpy support(&bare, &CQuizDlg::supportRequested);
    QSignalSpy edit(&bare, &CQuizDlg::editRequested);
    for (const char* szName : {"menuSetting", "menuAbout", "menuSupport"})
        bare.findChild<QAction*>(szName)->trigger();
    bare.OnButtonEdit();
    EXPECT_EQ(settings.count() + about.count() + support.count() + edit.count(), 4);
    EXPECT_TRUE(QApplication::activeModalWidget() == nullptr);

    const QStringList own = {
        "ファイル(&F)",        "  -",          "  終了(&E)", "設定(&C)",
        "  出題設定(&A)",      "  効果音(&K)", "ヘルプ(&H)", "  説明と出題国旗リスト(&S)",
        "  バージョン情報(&V)"};
    EXPECT_EQ(MenuTexts(bare), own);
    const std::unique_ptr<CQuizDlg> pWired = CreateMainWindow(store);
    QStringList wired = own;
    for (const char* szEntry :
         {"  印刷用PDFを作成(&P)...", "  国旗図鑑(&Z)...", "  成績(&G)...",
          "  間違えた問題を復習(&R)", "  問題の編集(&D)...", "  問題ファイルを開く(&O)..."})
        wired.insert(1, QString::fromUtf8(szEntry));
    wired.insert(wired.indexOf("  効果音(&K)") + 1, QStringLiteral("  地図を表示(&M)"));
    wired.insert(wired.indexOf("  地図を表示(&M)") + 1, QStringLiteral("  答えを入力する(&T)"));
    EXPECT_EQ(MenuTexts(*pWired), wired);
}

// A close request ends the quiz window whenever it comes, also while start-up work that waits
// for the first paint is running or still queued.
enum class CloseAt
{
    BeforeFirstPaint,
    DuringDeferredWork,
    AfterDeferredWork
};

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
    QTimer::singleShot(5000, &dlg, [&] {
        bTimedOut = true;
        dlg.hide();
    }); // only on failure
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
