#include "app/MainWindow.h"
#include "facts/Facts.h"
#include "learning/AnswerHistory.h"
#include "learning/CMasteryMapView.h"
#include "learning/CMasteryPage.h"
#include "learning/CResultsDlg.h"
#include "platform/Cp932.h"
#include "platform/FileDialog.h"
#include "platform/LocalTime.h"
#include "platform/MessageBox.h"
#include "platform/ProfileStore.h"
#include "platform/QtText.h"
#include "quiz/CQuizDlg.h"
#include "quiz/QuestionRecord.h"
#include "zukan/CZukanWindow.h"

#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>
#include <map>

namespace {

// Rounds played through the main window with keys 1-4 on four questions, one of each kind
// asked: Japan's capital (right twice before, 10 and 5 days ago), France's name, Brazil's
// region (missed) and the United States' position.
class MasteryPageTest : public ::testing::Test
{
  protected:
    MasteryPageTest() : m_cd(m_dir.Path())
    {
        const std::string records =
            ComposeRecord("jpn" + Sjis("この国旗の国の首都はどこ？"), {"t", "o", "k", "y"}, 0) +
            ComposeRecord("fra" + Sjis("この国旗はどの国の国旗？"), {"f", "r", "a", "n"}, 0) +
            ComposeRecord("bra" + Sjis("この国旗の国は世界のどの地域にある？"),
                          {"s", "o", "u", "t"}, 0) +
            ComposeRecord("usa" + Sjis("アメリカ合衆国はどこ？"), {"@usa", "@can", "@mex", "@cub"},
                          0);
        WriteFileBytes(m_dir / "sample0524.txt", records);
        WriteFileBytes(m_dir / "Parameter.INI", "[QUESTION_CNT]\r\n1=4\r\n[LIFE]\r\n1=5\r\n"
                                                "[TIME_LIMIT]\r\n1=9\r\n[SOUND]\r\nSW=0\r\n");
        std::ofstream history(m_dir / kHistoryFileName, std::ios::binary);
        history << kHistoryHeader;
        for (int nDaysAgo : {10, 5}) {
            const std::string time = FormatLocalTime(std::time(nullptr) - nDaysAgo * 86400);
            history << time
                    << "\tsample0524.txt\t1\t0000000000000001\tjpn\t正解\t2.0\tr\t"
                       "この国旗の国の首都はどこ？\t\n";
        }
        history.close();
        SetMessageBoxHandler([this](const QString& text, unsigned) {
            m_messages.push_back(text);
            return IDOK;
        });
        m_pDlg = CreateMainWindow(m_profile, QuizTiming{5, 5});
        m_pDlg->show();
    }
    ~MasteryPageTest() override
    {
        SetMessageBoxHandler({});
        SetFileDialogHandler({});
    }

    // Right, except Brazil's question, answered by the keys 1-4.
    void PlayRound()
    {
        QTest::mouseClick(m_pDlg->findChild<QPushButton*>("start"), Qt::LeftButton);
        for (int i = 0; i < 4; ++i) {
            const bool bRight =
                Cp932::ToUtf8(m_pDlg->Round().m_strQuestion).find("地域") == std::string::npos;
            const int nRight = m_pDlg->Round().m_nCorrectNo;
            QTest::keyClick(m_pDlg.get(), Qt::Key(Qt::Key_0 + (bRight ? nRight : nRight % 4 + 1)));
        }
        ASSERT_EQ(ReadHistory(m_dir / kHistoryFileName).rows.size(), 6u);
    }

    // Opens 成績 and runs what is given on its mastery page while it stands.
    void WithPage(const std::function<void(CResultsDlg&, CMasteryPage&)>& run)
    {
        bool bRan = false;
        QTimer::singleShot(20, [&] {
            for (QWidget* pWidget : QApplication::topLevelWidgets())
                if (auto* pResults = dynamic_cast<CResultsDlg*>(pWidget);
                    pResults && pResults->isVisible()) {
                    bRan = true;
                    run(*pResults, *pResults->findChild<CMasteryPage*>("masteryPage"));
                    if (pResults->isVisible())
                        pResults->accept();
                }
        });
        m_pDlg->findChild<QAction*>("menuResults")->trigger();
        EXPECT_TRUE(bRan);
    }

    static std::string StateOf(CMasteryPage& page, const char* szCode)
    {
        const Facts::Country* pCountry = Facts::FindCountry(szCode);
        return MasteryName(page.States()[std::size_t(pCountry - Facts::Countries().data())].state);
    }

    TempDir m_dir;
    ScopedCurrentDir m_cd;
    ProfileStore m_profile{m_dir / "Parameter.INI"};
    std::unique_ptr<CQuizDlg> m_pDlg;
    std::vector<QString> m_messages;
};

} // namespace

TEST_F(MasteryPageTest, RoundsPlayedGiveEachCountryTheStateTheRuleSays)
{
    PlayRound();
    WithPage([](CResultsDlg&, CMasteryPage& page) {
        const std::map<std::string, std::string> all = {{"jpn", StateOf(page, "jpn")},
                                                        {"fra", StateOf(page, "fra")},
                                                        {"bra", StateOf(page, "bra")},
                                                        {"usa", StateOf(page, "usa")},
                                                        {"deu", StateOf(page, "deu")}};
        EXPECT_EQ(all, (std::map<std::string, std::string>{{"jpn", "習得"},
                                                           {"fra", "学習中"},
                                                           {"bra", "要復習"},
                                                           {"usa", "学習中"},
                                                           {"deu", "未出題"}}));
        EXPECT_EQ(page.Headline(), "習得 1/199 (1 %)");
        EXPECT_EQ(page.findChild<QLabel*>("masteryHeadline")->accessibleName(), "習得 1/199 (1 %)");
        EXPECT_EQ(page.findChild<QLabel*>("legend1")->text(), "要復習 1か国");
        EXPECT_EQ(page.findChild<QLabel*>("legend0")->text(), "未出題 195か国");
        const QString hover = page.MapView()->TextOf("bra");
        EXPECT_TRUE(hover.startsWith("ブラジル：要復習") && hover.contains("誤り"))
            << hover.toStdString();
        EXPECT_TRUE(page.MapView()->accessibleName().contains("習得 1か国"));
        // The keys step through the countries, each named with its state.
        QTest::keyClick(page.MapView(), Qt::Key_Left);
        EXPECT_EQ(page.MapView()->accessibleDescription(),
                  page.MapView()->TextOf(std::string(Facts::Countries().back().code)));

        // The 位置 question is told by its record: the filter finds it there, not under 国名.
        page.SetKindFilter(1 + int(StudyKind::Position));
        EXPECT_EQ(StateOf(page, "usa"), "学習中");
        EXPECT_EQ(StateOf(page, "jpn"), "未出題");
        page.SetKindFilter(1 + int(StudyKind::Country));
        EXPECT_EQ(StateOf(page, "usa"), "未出題");
        EXPECT_EQ(StateOf(page, "fra"), "学習中");
        EXPECT_EQ(page.Headline(), "習得 0/199 (0 %)");
    });
}

TEST_F(MasteryPageTest, TheReviewCountriesBecomeTheQuestionFileAndTheMapAPicture)
{
    PlayRound();
    const std::filesystem::path picture = m_dir / "map.png";
    SetFileDialogHandler([&](FileDialogKind kind) {
        EXPECT_EQ(kind, FileDialogKind::SavePicture);
        return QString::fromStdString(picture.string());
    });
    m_messages.clear(); // the round's end
    WithPage([&](CResultsDlg&, CMasteryPage& page) {
        QTest::mouseClick(page.findChild<QPushButton*>("masteryDrill"), Qt::LeftButton);
        QTest::mouseClick(page.findChild<QPushButton*>("masterySave"), Qt::LeftButton);
    });
    // Every question about Brazil in the bundled world file, in a stamped file made current.
    const std::string strName = m_profile.Get(ProfileKeys::kQuestionFile);
    ASSERT_EQ(Cp932::ToUtf8(strName).substr(0, 10), "要復習-");
    const std::string bytes = ReadFileBytes(m_dir / Cp932::ToUtf8(strName));
    ASSERT_GE(bytes.size(), 4 * kRecordSize);
    for (std::size_t i = 0; i < bytes.size(); i += kRecordSize)
        EXPECT_EQ(bytes.substr(i, 3), "bra");
    ASSERT_EQ(m_messages.size(), 1u) << m_messages[0].toStdString();
    EXPECT_TRUE(m_messages[0].contains(ToQString(strName))) << m_messages[0].toStdString();

    const QImage image(QString::fromStdString(picture.string()));
    EXPECT_EQ(image.size(), QSize(1600, 1000));
}

TEST_F(MasteryPageTest, ADoubleClickOnACountryOpensItInTheZukan)
{
    PlayRound();
    WithPage([](CResultsDlg& dlg, CMasteryPage& page) {
        CMasteryMapView* pMap = page.MapView();
        const QPointF at = pMap->PointOf("bra");
        ASSERT_EQ(pMap->CodeAt(at), "bra");
        QTest::mouseDClick(pMap, Qt::LeftButton, Qt::NoModifier, at.toPoint());
        EXPECT_FALSE(dlg.isVisible());
    });
    CZukanWindow* pZukan = nullptr;
    for (QWidget* pWidget : QApplication::topLevelWidgets())
        if (auto* p = dynamic_cast<CZukanWindow*>(pWidget); p && p->isVisible())
            pZukan = p;
    ASSERT_TRUE(pZukan);
    EXPECT_EQ(pZukan->SelectedCodes(), std::set<std::string>{"bra"});
}
