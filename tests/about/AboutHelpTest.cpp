#include "about/AboutMenu.h"
#include "about/CAboutDlg.h"
#include "about/Help.h"
#include "platform/MessageBox.h"
#include "platform/ShellOpen.h"

#include "QtTestSupport.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

TEST(AboutMenu, IgnoresTheLowFourBitsOfTheCommand)
{
    const std::pair<unsigned, bool> cases[] = {{16, true},      {16 | 3, true}, {31, true},
                                               {15, false},     {32, false},    {0, false},
                                               {0xF060, false},  // the close command
                                               {0xF010, false}}; // the move command
    for (const auto& [nId, bAbout] : cases)
        EXPECT_EQ(IsAboutCommand(nId), bAbout) << nId;
}

TEST(AboutBox, ShowsIconVersionAndTextsThatFitTheirPlaces)
{
    CAboutDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("バージョン情報"));
    auto* pIcon = dlg.findChild<QLabel*>("icon");
    ASSERT_NE(pIcon, nullptr);
    EXPECT_FALSE(pIcon->pixmap().isNull());
    EXPECT_EQ(dlg.findChild<QLabel*>("version")->text(), QStringLiteral("Marelto Version 1.0.1"));
    for (const char* szName : {"version", "rights", "contact"}) {
        auto* pText = dlg.findChild<QLabel*>(szName);
        ASSERT_NE(pText, nullptr) << szName;
        EXPECT_FALSE(pText->text().isEmpty()) << szName;
        EXPECT_LE(QFontMetrics(pText->font()).horizontalAdvance(pText->text()), pText->width())
            << szName << " is cut off";
    }
    auto* pClose = dlg.findChild<QPushButton*>("close");
    ASSERT_NE(pClose, nullptr);
    EXPECT_EQ(pClose->text(), QStringLiteral("閉じる"));
    EXPECT_TRUE(pClose->isDefault());
}

TEST(AboutBox, EnterEscAndTheButtonCloseIt)
{
    const std::pair<Qt::Key, int> keys[] = {{Qt::Key_Return, QDialog::Accepted},
                                            {Qt::Key_Enter, QDialog::Accepted},
                                            {Qt::Key_Escape, QDialog::Rejected}};
    for (const auto& [key, nResult] : keys) {
        CAboutDlg dlg;
        dlg.show();
        QTest::keyClick(&dlg, key);
        EXPECT_FALSE(dlg.isVisible()) << key;
        EXPECT_EQ(dlg.result(), nResult) << key;
    }
    CAboutDlg dlg;
    dlg.show();
    QTest::mouseClick(dlg.findChild<QPushButton*>("close"), Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
}

struct UrlCase
{
    const char* szBase;
    const char* szExpected;
};

class SupportPageUrlTest : public ::testing::TestWithParam<UrlCase>
{
};

TEST_P(SupportPageUrlTest, JoinsTheBaseAndTheManualPath)
{
    EXPECT_EQ(SupportPageUrlFor(QString::fromUtf8(GetParam().szBase), QStringLiteral("/opt/m")),
              QString::fromUtf8(GetParam().szExpected));
}

INSTANTIATE_TEST_SUITE_P(
    Bases, SupportPageUrlTest,
    ::testing::Values(
        UrlCase{"", "file:///opt/m/manual/download_support.html"},
        UrlCase{"https://help.example", "https://help.example/manual/download_support.html"},
        UrlCase{"https://help.example/", "https://help.example/manual/download_support.html"},
        UrlCase{"http://h.example/marelto",
                "http://h.example/marelto/manual/download_support.html"}));

TEST(SupportPage, LocalAddressSurvivesSpacesAndJapaneseFolders)
{
    const QString dir = QStringLiteral("/tmp/国旗 練習#1");
    const QUrl url(SupportPageUrlFor({}, dir));
    EXPECT_TRUE(url.isLocalFile());
    EXPECT_EQ(url.toLocalFile(), dir + QStringLiteral("/manual/download_support.html"));
}

TEST(SupportPage, PrefersTheManualBesideTheProgramThenTheInstalledOne)
{
    TempDir program;
    EXPECT_EQ(
        ManualFolderFor(QString::fromStdString(program.Path().string()), "/usr/share/marelto"),
        "/usr/share/marelto");
    std::filesystem::create_directories(program / "manual");
    WriteFileBytes(program / "manual" / "download_support.html", "<html></html>");
    EXPECT_EQ(
        ManualFolderFor(QString::fromStdString(program.Path().string()), "/usr/share/marelto"),
        QString::fromStdString(program.Path().string()));
    EXPECT_EQ(ManualFolderFor("/nowhere", ""), "/nowhere");
}

TEST(SupportPage, OpensTheManualOnceAndSaysNothing)
{
    std::vector<QString> opened;
    SetUrlOpener([&](const QString& url) { opened.push_back(url); });
    MessageBoxCapture boxes;

    OpenSupportPage();

    SetUrlOpener({});
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], SupportPageUrl());
    EXPECT_TRUE(opened[0].endsWith("/manual/download_support.html"));
    EXPECT_TRUE(boxes.Messages().empty());
}

} // namespace
