#include "app/MainWindow.h"
#include "platform/MessageBox.h"
#include "platform/ProfileStore.h"
#include "platform/ShellOpen.h"
#include "print/CPrintCommands.h"
#include "print/CPrintDlg.h"
#include "quiz/QuestionRecord.h"

#include "TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

TEST(PrintDlgTest, TheMapAsksForItsAreaAndNoSource)
{
    CPrintDlg dlg(QStringLiteral("sample0524.txt"), 0, PrintChoice{});
    auto* pMap = dlg.findChild<QRadioButton*>("kindMap");
    auto* pArea = dlg.findChild<QComboBox*>("area");
    auto* pZukan = dlg.findChild<QRadioButton*>("fromZukan");
    EXPECT_FALSE(pArea->isEnabled());
    EXPECT_FALSE(pZukan->isEnabled()); // nothing chosen in the 図鑑
    QTest::mouseClick(pMap, Qt::LeftButton, {}, QPoint(4, pMap->height() / 2));
    EXPECT_TRUE(pArea->isEnabled());
    EXPECT_FALSE(dlg.findChild<QRadioButton*>("fromFile")->isEnabled());
    pArea->setCurrentIndex(pArea->findText(QStringLiteral("アフリカ州")));
    dlg.findChild<QComboBox*>("paper")->setCurrentIndex(1);
    dlg.findChild<QCheckBox*>("answerKey")->setChecked(false);
    const PrintChoice choice = dlg.Choice();
    EXPECT_EQ(choice.kind, PrintRequest::Kind::Map);
    EXPECT_EQ(choice.nContinent, 2);
    EXPECT_EQ(choice.paper, Paper::B5);
    EXPECT_FALSE(choice.bAnswerKey);
}

class PrintCommandsTest : public ::testing::Test
{
  protected:
    PrintCommandsTest() : m_cd(m_here.Path())
    {
        std::string bytes;
        for (const char* szCode : {"jpn", "fra", "bra"})
            bytes += ComposeRecord(std::string(szCode) + Sjis("この国旗はどの国の国旗？"),
                                   {Sjis("甲"), Sjis("乙"), Sjis("丙"), Sjis("丁")}, 0);
        WriteFileBytes(m_here / "sample0524.txt", bytes);
        SetMessageBoxHandler([this](const QString& text, unsigned) {
            m_messages.push_back(text);
            return m_nAnswer;
        });
        SetUrlOpener([this](const QString& url) { m_opened.push_back(url); });
    }
    ~PrintCommandsTest() override
    {
        SetMessageBoxHandler({});
        SetUrlOpener({});
    }
    CPrintCommands& Commands(PrintChoice choice, ChosenCountries chosen = {})
    {
        m_pCommands = std::make_unique<CPrintCommands>(
            m_profile, &m_main, [chosen] { return chosen; },
            [this, choice](const QString& strFile, int nChosen, const PrintChoice&) {
                m_strAskedFile = strFile;
                m_nAskedChosen = nChosen;
                return std::optional(choice);
            },
            [] { return std::time_t(1765270800); });
        return *m_pCommands;
    }

    TempDir m_here;
    ScopedCurrentDir m_cd;
    ProfileStore m_profile{m_here / "Parameter.INI"};
    QWidget m_main;
    std::unique_ptr<CPrintCommands> m_pCommands;
    std::vector<QString> m_messages;
    std::vector<QString> m_opened;
    int m_nAnswer = IDNO;
    QString m_strAskedFile;
    int m_nAskedChosen = -1;
};

TEST_F(PrintCommandsTest, WritesUnderAFreshNameEachTimeAndOpensWhenAsked)
{
    ScopedTimeZone tz("UTC");
    CPrintCommands& commands = Commands({PrintRequest::Kind::Cards});
    commands.OnMenuPrint();
    EXPECT_EQ(m_strAskedFile, QStringLiteral("sample0524.txt"));
    const std::filesystem::path first = m_here / "国旗カード-20251209-0900.pdf";
    ASSERT_TRUE(std::filesystem::exists(first));
    const std::string strFirst = ReadFileBytes(first);
    EXPECT_TRUE(strFirst.starts_with("%PDF"));
    EXPECT_TRUE(m_opened.empty()); // answered いいえ
    m_nAnswer = IDYES;
    commands.OnMenuPrint();
    const std::filesystem::path second = m_here / "国旗カード-20251209-0900-2.pdf";
    ASSERT_TRUE(std::filesystem::exists(second));
    EXPECT_EQ(ReadFileBytes(first), strFirst);
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[1],
              QStringLiteral("「国旗カード-20251209-0900-2.pdf」を作りました。開きますか？"));
    ASSERT_EQ(m_opened.size(), 1u);
    EXPECT_EQ(QUrl(m_opened[0]).toLocalFile().toStdString(), second.string());
}

TEST_F(PrintCommandsTest, TheZukansChoiceReplacesTheFile)
{
    PrintChoice choice{PrintRequest::Kind::Cards};
    choice.bFromZukan = true;
    Commands(choice, {{"ita", "deu"}, {}}).OnMenuPrint();
    EXPECT_EQ(m_nAskedChosen, 2);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].startsWith(QStringLiteral("「国旗カード-")))
        << m_messages[0].toStdString();
}

TEST_F(PrintCommandsTest, SaysWhyNothingWasMade)
{
    std::filesystem::remove(m_here / "sample0524.txt");
    Commands({PrintRequest::Kind::Sheet}).OnMenuPrint();
    WriteFileBytes(m_here / "sample0524.txt", "no records");
    m_pCommands->OnMenuPrint();
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[0], QStringLiteral("問題ファイル「sample0524.txt」を読み込めません。"));
    EXPECT_EQ(m_messages[1], QStringLiteral("印刷する問題がありません。"));
    EXPECT_FALSE(std::filesystem::exists(m_here / "問題プリント-20251209-0900.pdf"));
}

TEST(PrintMenuTest, TheFileMenuOffersPrinting)
{
    TempDir here;
    ScopedCurrentDir cd(here.Path());
    ProfileStore profile(here / "Parameter.INI");
    const std::unique_ptr<CQuizDlg> pDlg = CreateMainWindow(profile, QuizTiming{5, 5});
    const QAction* pAction = pDlg->findChild<QAction*>("menuPrint");
    ASSERT_NE(pAction, nullptr);
    EXPECT_EQ(pAction->text(), QStringLiteral("印刷用PDFを作成(&P)..."));
    EXPECT_TRUE(pAction->isEnabled());
}
