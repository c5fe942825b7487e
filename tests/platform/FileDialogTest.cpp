#include "platform/FileDialog.h"

#include "TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

// Under an English system locale (the test runs with LANG=C.UTF-8) the file dialog's labels,
// buttons, tips, column titles, sizes and dates are Japanese.
TEST(FileDialogTest, TextsAreJapaneseWhateverTheSystemLocale)
{
    ASSERT_NE(QLocale::system().language(), QLocale::Japanese);
    TempDir dir;
    WriteFileBytes(dir / "sample.txt", std::string(2048, 'x'));
    ScopedCurrentDir cd(dir.Path());
    QStringList shown;
    QString size, date;
    QTimer::singleShot(0, [&] {
        auto* pDlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(pDlg, nullptr);
        auto* pTree = pDlg->findChild<QTreeView*>();
        ASSERT_NE(pTree, nullptr);
        const QAbstractItemModel* pModel = pTree->model();
        // The list fills from a thread; wait for the file, not for a time.
        QModelIndex file;
        EXPECT_TRUE(QTest::qWaitFor([&] {
            const QModelIndexList found =
                pModel->match(pModel->index(0, 0, pTree->rootIndex()), Qt::DisplayRole,
                              "sample.txt", 1, Qt::MatchExactly);
            file = found.isEmpty() ? QModelIndex() : found.front();
            return file.isValid() && !file.siblingAtColumn(3).data().toString().isEmpty();
        }));
        size = file.siblingAtColumn(1).data().toString();
        date = file.siblingAtColumn(3).data().toString();
        shown << file.siblingAtColumn(2).data().toString();
        for (int nColumn = 0; nColumn < pModel->columnCount(); ++nColumn)
            shown << pModel->headerData(nColumn, Qt::Horizontal).toString();
        for (const QLabel* pLabel : pDlg->findChildren<QLabel*>())
            shown << pLabel->text();
        for (const QAbstractButton* pButton : pDlg->findChildren<QAbstractButton*>())
            shown << pButton->text() << pButton->toolTip();
        pDlg->reject();
    });
    EXPECT_TRUE(RunFileDialog(FileDialogKind::OpenQuestion).isEmpty());
    EXPECT_TRUE(shown.contains("キャンセル")) << shown.join('|').toStdString();
    EXPECT_FALSE(date.contains(QRegularExpression("AM|PM"))) << date.toStdString();
    shown << size;
    const QRegularExpression english("[A-Za-z]{4,}");
    for (const QString& text : shown)
        EXPECT_FALSE(english.match(text).hasMatch()) << text.toStdString();
}
