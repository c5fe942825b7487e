#include "app/MainWindow.h"
#include "learning/AnswerHistory.h"
#include "learning/CResultsDlg.h"
#include "platform/Cp932.h"
#include "platform/MessageBox.h"
#include "platform/ProfileStore.h"
#include "quiz/CQuizDlg.h"
#include "quiz/QuestionRecord.h"

#include "MainWindowTest.h"
#include "QtTestSupport.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class LearningMenuTest : public MainWindowTest
{
  protected:
    LearningMenuTest() : MainWindowTest(3) {}

    QAction* Action(const char* szName) { return m_pDlg->findChild<QAction*>(szName); }
    QPushButton* Button(const QString& name) { return m_pDlg->findChild<QPushButton*>(name); }
    // Right or wrong, one question after another; the commands wait while the round runs.
    void Play(std::initializer_list<bool> rights)
    {
        QTest::mouseClick(Button("start"), Qt::LeftButton);
        EXPECT_FALSE(Action("menuReview")->isEnabled());
        EXPECT_FALSE(Action("menuResults")->isEnabled());
        AnswerQuestions(*m_pDlg, rights);
    }
};

} // namespace

TEST_F(LearningMenuTest, TwoMissesOfARoundComeBackAsAReviewFileReadyToPlay)
{
    Action("menuReview")->trigger();
    EXPECT_EQ(m_boxes.Texts(), std::vector<QString>{"復習する問題はありません。"});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Path()), {}), 2);

    Play({false, true, false});
    EXPECT_TRUE(Action("menuReview")->isEnabled());
    EXPECT_EQ(ReadHistory(m_dir / kHistoryFileName).rows.size(), 3u);

    m_boxes.Clear();
    Action("menuReview")->trigger();
    const std::string strName = m_profile.GetProfileStringA("QUESTION", "1", "");
    ASSERT_EQ(strName.substr(0, 5), Sjis("復習-"));
    EXPECT_EQ(ReadFileBytes(m_dir / Cp932::ToUtf8(strName)), m_records[0] + m_records[2]);
    ASSERT_EQ(m_boxes.Messages().size(), 1u);
    EXPECT_TRUE(m_boxes.Texts()[0].contains("2問")) << m_boxes.Texts()[0].toStdString();

    // Right answers from the review file count for the questions it copies: nothing is due then.
    Play({true, true});
    m_boxes.Clear();
    Action("menuReview")->trigger();
    EXPECT_EQ(m_boxes.Texts().back(), "復習する問題はありません。");
}

TEST_F(LearningMenuTest, TheResultsWindowShowsTheRoundsPlayed)
{
    Play({false, true, true});
    QStringList rounds;
    QTimer::singleShot(20, [&] {
        for (QWidget* pWidget : QApplication::topLevelWidgets())
            if (auto* pResults = dynamic_cast<CResultsDlg*>(pWidget);
                pResults && pResults->isVisible()) {
                const QTreeWidgetItem* pRate =
                    pResults->findChild<QTreeWidget*>("overview")->topLevelItem(2);
                rounds << pRate->text(1) << pRate->text(2);
                QTest::mouseClick(pResults->findChild<QPushButton*>("close"), Qt::LeftButton);
            }
    });
    Action("menuResults")->trigger();
    EXPECT_EQ(rounds, (QStringList{"66.7%", "66.7%"}));
}

TEST_F(LearningMenuTest, AReviewOfAFileWithoutWholeRecordsOrNoFileAtAllSaysWhyAndWritesNothing)
{
    const std::filesystem::path file = m_dir / "sample0524.txt";
    const struct
    {
        std::string bytes; // empty with bFifo: a FIFO in the file's place
        bool bFifo;
        QString says;
    } cases[] = {{"", false, QStringLiteral("（0バイト）")},
                 {std::string(421, ' '), false, QStringLiteral("（421バイト）が1問分")},
                 {"", true, QStringLiteral("通常のファイルではありません")}};
    for (const auto& c : cases) {
        std::filesystem::remove(file);
        if (c.bFifo)
            MakeOddFile(file, OddFile::Fifo);
        else
            WriteFileBytes(file, c.bytes);
        m_boxes.Clear();
        Action("menuReview")->trigger();
        ASSERT_EQ(m_boxes.Messages().size(), 1u) << c.says.toStdString();
        EXPECT_TRUE(m_boxes.Texts()[0].contains("sample0524.txt") &&
                    m_boxes.Texts()[0].contains(c.says))
            << m_boxes.Texts()[0].toStdString();
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Path()), {}), 2);
    }
}

TEST_F(LearningMenuTest, AHistoryThatIsNoFileLeavesTheRoundAloneAndTheResultsSaySo)
{
    MakeOddFile(m_dir / kHistoryFileName, OddFile::Fifo);
    Play({true, false, true});
    EXPECT_TRUE(Button("start")->isEnabled()); // the round ran its three questions
    EXPECT_EQ(m_boxes.Texts(), std::vector<QString>{"終了!!"});
    QString status;
    QTimer::singleShot(20, [&] {
        for (QWidget* pWidget : QApplication::topLevelWidgets())
            if (auto* pResults = dynamic_cast<CResultsDlg*>(pWidget);
                pResults && pResults->isVisible()) {
                for (const QLabel* pLabel : pResults->findChildren<QLabel*>())
                    if (pLabel->text().contains(QStringLiteral("書き込めませんでした")))
                        status = pLabel->text();
                QTest::mouseClick(pResults->findChild<QPushButton*>("close"), Qt::LeftButton);
            }
    });
    Action("menuResults")->trigger();
    EXPECT_FALSE(status.isEmpty());
    EXPECT_EQ(FileTypeAt(m_dir / kHistoryFileName), unsigned(S_IFIFO));
}
