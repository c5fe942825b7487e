#include "app/MainWindow.h"
#include "editor/CEditDlg.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/ProfileStore.h"
#include "quiz/CQuizDlg.h"
#include "quiz/QuestionRecord.h"
#include "settings/CSettingDlg.h"

#include "QtTestSupport.h"
#include "TestSupport.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

std::string Records(int nCount, int nCorrect = 0)
{
    std::string bytes;
    for (int i = 0; i < nCount; ++i)
        bytes += ComposeRecord("jpn" + Sjis("どこの国旗?"), {"a", "b", "c", "d"}, nCorrect);
    return bytes;
}

class QuestionFileMenuTest : public ::testing::Test
{
  protected:
    QuestionFileMenuTest()
    {
        WriteFileBytes(m_here / "sample0524.txt", Records(5));
        m_here.WriteIni(m_strIni);
    }

    QAction* Action(const char* szName) { return m_dlg.findChild<QAction*>(szName); }
    void Open(const std::filesystem::path& path)
    {
        m_files.Choose(path);
        Action("menuOpenQuestion")->trigger();
    }

    PlayFolder m_here;
    TempDir m_elsewhere;
    const std::string m_strIni = "[QUESTION]\r\n1=sample0524.txt\r\n[QUESTION_CNT]\r\n1=4\r\n";
    ProfileStore& m_profile = m_here.Store();
    MessageBoxCapture m_boxes;
    const std::vector<MessageBoxCapture::Message>& m_messages = m_boxes.Messages();
    FileDialogCapture m_files;
    std::unique_ptr<CQuizDlg> m_pDlg = CreateMainWindow(m_profile, QuizTiming{5, 5});
    CQuizDlg& m_dlg = *m_pDlg;
};

TEST_F(QuestionFileMenuTest, TheFileMenuOffersBothCommandsAboveExit)
{
    QMenu* pFile = m_dlg.findChild<QMenuBar*>("menuBar")->actions().constFirst()->menu();
    QStringList texts, names;
    QAccessibleInterface* pMenu = QAccessible::queryAccessibleInterface(pFile);
    for (int i = 0; i < pMenu->childCount(); ++i)
        names << pMenu->child(i)->text(QAccessible::Name);
    for (QAction* pAction : pFile->actions())
        texts << (pAction->isSeparator() ? "-" : pAction->text());
    EXPECT_EQ(texts, QStringList({"問題ファイルを開く(&O)...", "問題の編集(&D)...",
                                  "間違えた問題を復習(&R)", "成績(&G)...", "国旗図鑑(&Z)...",
                                  "印刷用PDFを作成(&P)...", "-", "終了(&E)"}));
    EXPECT_TRUE(names.contains("問題ファイルを開く(O)...")) << names.join('|').toStdString();
    EXPECT_TRUE(names.contains("問題の編集(D)..."));
}

TEST_F(QuestionFileMenuTest, AFileFromElsewhereIsCopiedInAndTheEditorOpensIt)
{
    const std::filesystem::path chosen = m_elsewhere / "世界の国旗.txt";
    WriteFileBytes(chosen, Records(3));
    Open(chosen);

    EXPECT_EQ(m_files.Kinds(), std::vector<FileDialogKind>{FileDialogKind::OpenQuestion});
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].nType, MB_OK | MB_ICONINFORMATION);
    EXPECT_TRUE(m_messages[0].text.contains("世界の国旗.txt"));
    EXPECT_EQ(ReadFileBytes(m_here / "世界の国旗.txt"), Records(3));
    EXPECT_EQ(ReadFileBytes(m_here / "Parameter.INI"),
              "[QUESTION]\r\n1=" + Sjis("世界の国旗.txt") + "\r\n[QUESTION_CNT]\r\n1=4\r\n");

    QString shownName;
    int nNumbers = -1;
    QTimer::singleShot(20, [&] {
        for (QWidget* pWidget : QApplication::topLevelWidgets())
            if (auto* pEdit = dynamic_cast<CEditDlg*>(pWidget); pEdit && pEdit->isVisible()) {
                shownName = pEdit->findChild<QLabel*>("fileName")->text();
                nNumbers = pEdit->findChild<QComboBox*>("questionNo")->count();
                QTest::mouseClick(pEdit->findChild<QPushButton*>("back"), Qt::LeftButton);
            }
    });
    Action("menuEditQuestion")->trigger();
    EXPECT_EQ(shownName, "世界の国旗.txt");
    EXPECT_EQ(nNumbers, 3);

    CSettingDlg settings(m_profile);
    ASSERT_NE(settings.findChild<QListWidget*>("list")->currentItem(), nullptr);
    EXPECT_EQ(settings.findChild<QListWidget*>("list")->currentItem()->text(), "世界の国旗.txt");
}

TEST_F(QuestionFileMenuTest, ABadFileIsRefusedByNameAndReasonWithNothingWritten)
{
    struct Bad
    {
        const char* szName;
        std::string bytes;
        const char* szReason;
    };
    for (const Bad& bad : {Bad{"short.txt", Records(1).substr(0, 400), "420バイト"},
                           Bad{"cut.txt", Records(2) + "x", "841バイト"},
                           Bad{"nomark.txt", Records(2) + Records(1, -1), "3問目"},
                           Bad{"한국.txt", Records(2), "Shift-JIS にない文字"}}) {
        m_boxes.Clear();
        WriteFileBytes(m_elsewhere / bad.szName, bad.bytes);
        Open(m_elsewhere / bad.szName);
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].nType, MB_OK | MB_ICONSTOP);
        EXPECT_TRUE(m_messages[0].text.contains(bad.szName));
        EXPECT_TRUE(m_messages[0].text.contains(bad.szReason)) << m_messages[0].text.toStdString();
        EXPECT_FALSE(std::filesystem::exists(m_here / bad.szName));
    }
    EXPECT_EQ(ReadFileBytes(m_here / "Parameter.INI"), m_strIni);

    m_boxes.Clear();
    m_files.Cancel(); // cancelled: nothing at all
    Action("menuOpenQuestion")->trigger();
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(QuestionFileMenuTest, BothCommandsWaitWhileARoundRuns)
{
    auto enabled = [&] {
        return std::make_pair(Action("menuOpenQuestion")->isEnabled(),
                              Action("menuEditQuestion")->isEnabled());
    };
    EXPECT_EQ(enabled(), std::make_pair(true, true));
    QTest::mouseClick(m_dlg.findChild<QPushButton*>("start"), Qt::LeftButton);
    EXPECT_EQ(enabled(), std::make_pair(false, false));
    QTest::mouseClick(m_dlg.findChild<QPushButton*>("stop"), Qt::LeftButton);
    EXPECT_EQ(enabled(), std::make_pair(true, true));
    EXPECT_FALSE(m_dlg.findChild<QPushButton*>("edit")->isEnabled());
}

} // namespace

namespace {

// The real dialog: the current folder's question files, without the guide.
TEST_F(QuestionFileMenuTest, TheDialogListsQuestionFilesHereButNotTheGuide)
{
    for (const char* szName : {"ReadMe.txt", "readme.txt", "notes.dat"})
        WriteFileBytes(m_here / szName, "x");
    SetFileDialogHandler({});
    QStringList shown;
    QString folder;
    QTimer poll;
    int nPolls = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* pWidget : QApplication::topLevelWidgets())
            if (auto* pDlg = qobject_cast<QFileDialog*>(pWidget); pDlg && pDlg->isVisible()) {
                auto* pView = pDlg->findChild<QTreeView*>("treeView");
                QAbstractItemModel* pModel = pView->model();
                QStringList names;
                for (int i = 0; i < pModel->rowCount(pView->rootIndex()); ++i)
                    names << pModel->index(i, 0, pView->rootIndex()).data().toString();
                // A folder that never loads must not hang the suite: give up after 3 s.
                if (names.contains("sample0524.txt") || ++nPolls > 300) {
                    shown = names;
                    folder = pDlg->directory().absolutePath();
                    pDlg->reject();
                }
            }
    });
    poll.start(10);
    EXPECT_TRUE(RunFileDialog(FileDialogKind::OpenQuestion).isEmpty());
    shown.sort();
    EXPECT_EQ(shown, QStringList({"readme.txt", "sample0524.txt"}));
    EXPECT_EQ(std::filesystem::path(folder.toStdString()),
              std::filesystem::canonical(m_here.Path()));
}

} // namespace
