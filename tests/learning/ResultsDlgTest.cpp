#include "learning/CRateChart.h"
#include "learning/CResultsDlg.h"
#include "learning/ResultsSummary.h"

#include "TestSupport.h"

#include <QAccessible>
#include <QLabel>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

ResultsSummary Sample()
{
    auto row = [](const char* szFile, const char* szRound, std::uint64_t nFp, const char* szCode,
                  AnswerResult result, const char* szTyped = "") {
        return HistoryRow{
            "2026-12-08T10:00:00+09:00",  szFile, 1, nFp, szCode, result, 3.0, szRound,
            "この国旗の国の首都はどこ？", szTyped};
    };
    return SummarizeHistory({row("a.txt", "r1", 1, "jpn", AnswerResult::Correct),
                             row("a.txt", "r1", 2, "fra", AnswerResult::Wrong, "ﾛﾝﾄﾞﾝ"),
                             row("b.txt", "r2", 2, "fra", AnswerResult::TimeOut)},
                            "a.txt");
}

QStringList Row(const QTreeWidget* pTree, int nRow)
{
    QStringList cells;
    const QTreeWidgetItem* pItem = pTree->topLevelItem(nRow);
    for (int i = 0; pItem && i < pItem->columnCount(); ++i)
        cells.append(pItem->text(i));
    return cells;
}

} // namespace

TEST(ResultsDlgTest, ShowsTheFiguresWhereUsersAndScreenReadersFindThem)
{
    CResultsDlg dlg(Sample(), Sjis("a.txt"), false);
    dlg.show();
    const auto* pOverview = dlg.findChild<QTreeWidget*>("overview");
    ASSERT_NE(pOverview, nullptr);
    EXPECT_EQ(Row(pOverview, 0), (QStringList{"ラウンド数", "1", "2"}));
    EXPECT_EQ(Row(pOverview, 2), (QStringList{"正解率", "50.0%", "33.3%"}));
    EXPECT_EQ(Row(pOverview, 3), (QStringList{"平均解答時間", "3.0 秒", "3.0 秒"}));
    EXPECT_EQ(Row(dlg.findChild<QTreeWidget*>("byKind"), 1), (QStringList{"首都", "3", "33.3%"}));
    EXPECT_EQ(Row(dlg.findChild<QTreeWidget*>("byKind"), 0), (QStringList{"国名", "0", "-"}));
    EXPECT_EQ(Row(dlg.findChild<QTreeWidget*>("byKind"), 4), (QStringList{"国旗", "0", "-"}));
    EXPECT_EQ(Row(dlg.findChild<QTreeWidget*>("byContinent"), 1),
              (QStringList{"ヨーロッパ", "2", "0.0%"}));
    EXPECT_EQ(Row(dlg.findChild<QTreeWidget*>("weakest"), 0),
              (QStringList{"この国旗の国の首都はどこ？", "フランス", "ﾛﾝﾄﾞﾝ", "2", "2"}));
    EXPECT_EQ(dlg.findChild<QLabel*>("historyStatus"), nullptr);

    // Every table and the chart carry a name, and the chart's figures are its description.
    for (const char* szName : {"overview", "byKind", "byContinent", "weakest", "chart"}) {
        QAccessibleInterface* pA11y = QAccessible::queryAccessibleInterface(
            dlg.findChild<QWidget*>(QString::fromLatin1(szName)));
        ASSERT_NE(pA11y, nullptr) << szName;
        EXPECT_FALSE(pA11y->text(QAccessible::Name).isEmpty()) << szName;
    }
    EXPECT_EQ(dlg.findChild<CRateChart*>("chart")->accessibleDescription(), "1: 50.0%, 2: 0.0%");
    QAccessibleInterface* pCell =
        QAccessible::queryAccessibleInterface(dlg.findChild<QTreeWidget*>("overview"))
            ->tableInterface()
            ->cellAt(2, 1);
    ASSERT_NE(pCell, nullptr);
    EXPECT_EQ(pCell->text(QAccessible::Name), "50.0%");
}

TEST(ResultsDlgTest, SaysWhenTheHistoryCouldNotBeWritten)
{
    CResultsDlg dlg(SummarizeHistory({}, "a.txt"), "a.txt", true);
    const auto* pStatus = dlg.findChild<QLabel*>("historyStatus");
    ASSERT_NE(pStatus, nullptr);
    EXPECT_TRUE(pStatus->text().contains("履歴を書き込めませんでした"));
    EXPECT_EQ(Row(dlg.findChild<QTreeWidget*>("weakest"), 0),
              (QStringList{"間違えた問題はありません"}));
    EXPECT_EQ(dlg.findChild<CRateChart*>("chart")->accessibleDescription(),
              "ラウンドの記録はありません");
}
