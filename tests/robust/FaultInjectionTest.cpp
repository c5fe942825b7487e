// Every writer against a disk that fills up part-way through its write, at several points:
// the settings store and the settings dialog's Save, the editor's Add, Update and New file, and
// the question tool's import. Either the files stay as they were, or, where a record is written
// in place (Update) or appended (Add, New file) and the disk gives out, the user is told and
// nothing beyond that record is touched. (Delete and the single-budget cases have their tests
// beside the editor, the store and the tool.)

#include "editor/CEditDlg.h"
#include "editor/QuestionEditor.h"
#include "platform/File.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/ProfileStore.h"
#include "quiz/QuestionRecord.h"
#include "settings/CSettingDlg.h"
#include "tools/questions/QuestionTool.h"

#include "QtTestSupport.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace {

const std::vector<std::int64_t> kBudgets = {0, 1, 99, 100, 419};

std::size_t FilesIn(const std::filesystem::path& dir)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

std::string Rec(char c)
{
    return ComposeRecord(std::string(3, c) + "?", {"a", "b", "c", "d"}, 0);
}

class FaultTest : public ::testing::Test
{
  protected:
    FaultTest()
    {
        m_boxes.Answer([](const MessageBoxCapture::Message& box) {
            // The editor's notice of a broken tail comes before any write.
            EXPECT_TRUE(box.nType == (MB_YESNO | MB_ICONQUESTION) ||
                        box.nType == (MB_OK | MB_ICONSTOP) ||
                        box.nType == (MB_OK | MB_ICONINFORMATION))
                << box.nType;
            return IDYES;
        });
    }
    ~FaultTest() override { FileFaults::Reset(); }

    PlayFolder m_dir;
    ProfileStore& m_store = m_dir.Store();
    MessageBoxCapture m_boxes;
    FileDialogCapture m_files;
};

// ---- settings
// ------------------------------------------------------------------------------------

TEST_F(FaultTest, ASettingsWriteThatFailsAnywhereKeepsTheOldFile)
{
    const std::string before = "[LIFE]\r\n1=5\r\n; keep\n[SOUND]\r\nSW=1\r\n";
    WriteFileBytes(m_dir / "Parameter.INI", before);
    const std::size_t nNewSize = before.size() + std::string("[SEQ]\r\n1=1\r\n").size();
    for (std::int64_t nBudget : {std::int64_t{0}, std::int64_t{1}, std::int64_t{20},
                                 static_cast<std::int64_t>(nNewSize) - 1}) {
        FileFaults::FailWritesAfter(nBudget);
        EXPECT_FALSE(m_store.WriteProfileInt("SEQ", "1", 1)) << nBudget;
        EXPECT_FALSE(m_store.WriteProfileInt("LIFE", "1", 9)) << nBudget;
        FileFaults::Reset();
        EXPECT_EQ(ReadFileBytes(m_dir / "Parameter.INI"), before) << nBudget;
        EXPECT_EQ(FilesIn(m_dir.Path()), 1u) << nBudget;
    }
    FileFaults::FailWritesAfter(static_cast<std::int64_t>(nNewSize));
    EXPECT_TRUE(m_store.WriteProfileInt("SEQ", "1", 1)); // exactly enough room
}

TEST_F(FaultTest, SaveThatRunsOutOfRoomLeavesTheFileAtAWholeStep)
{
    // Save writes its five entries in one replacement of the file. Wherever the disk fills, the
    // file is the old one or the saved one, never a torn one or a part of the save.
    WriteFileBytes(m_dir / "sample0524.txt", std::string(10 * kRecordSize, ' '));
    const std::string before = "[LIFE]\r\n1=5\r\n";
    std::vector<std::string> steps = {before};
    {
        WriteFileBytes(m_dir / "Parameter.INI", before);
        CSettingDlg dlg(m_store);
        // Watch each write land by saving once with plenty of room and recording the steps.
        ProfileStore probe(m_dir / "Parameter.INI");
        const std::pair<const char*, const char*> writes[] = {{"QUESTION", "sample0524.txt"},
                                                              {"LIFE", "5"},
                                                              {"TIME_LIMIT", "1"},
                                                              {"QUESTION_CNT", "1"},
                                                              {"SEQ", "0"}};
        for (const auto& [szSection, szValue] : writes) {
            probe.WriteProfileStringA(szSection, "1", szValue);
            steps.push_back(ReadFileBytes(m_dir / "Parameter.INI"));
        }
        WriteFileBytes(m_dir / "Parameter.INI", before);
        QTest::mouseClick(dlg.findChild<QPushButton*>("save"), Qt::LeftButton);
        ASSERT_EQ(ReadFileBytes(m_dir / "Parameter.INI"), steps.back());
    }
    std::size_t nTotal = 0;
    for (std::size_t i = 1; i < steps.size(); ++i)
        nTotal += steps[i].size();
    for (std::int64_t nBudget : {std::int64_t{0}, std::int64_t{5}, std::int64_t{40},
                                 std::int64_t{90}, static_cast<std::int64_t>(nTotal) - 1}) {
        WriteFileBytes(m_dir / "Parameter.INI", before);
        CSettingDlg dlg(m_store);
        FileFaults::FailWritesAfter(nBudget);
        QTest::mouseClick(dlg.findChild<QPushButton*>("save"), Qt::LeftButton);
        FileFaults::Reset();
        const std::string after = ReadFileBytes(m_dir / "Parameter.INI");
        EXPECT_TRUE(after == before || after == steps.back()) << nBudget << after;
        EXPECT_EQ(FilesIn(m_dir.Path()), 2u) << nBudget;
    }
}

// ---- the editor
// ----------------------------------------------------------------------------------

class EditorFaultTest : public FaultTest
{
  protected:
    void Open(const std::string& bytes)
    {
        WriteFileBytes(m_dir / "q.txt", bytes);
        m_store.WriteProfileStringA("QUESTION", "1", "q.txt");
        m_dlg = std::make_unique<CEditDlg>(m_store);
        m_boxes.Clear();
    }
    QComboBox* Numbers() { return m_dlg->findChild<QComboBox*>("questionNo"); }
    void Choose(int nIndex)
    {
        Numbers()->setCurrentIndex(nIndex);
        emit Numbers()->activated(nIndex);
    }
    // Clicks with the disk filling after nBudget bytes.
    void ClickFailing(const char* szName, std::int64_t nBudget)
    {
        m_boxes.Clear();
        FileFaults::FailWritesAfter(nBudget);
        QTest::mouseClick(m_dlg->findChild<QPushButton*>(szName), Qt::LeftButton);
        FileFaults::Reset();
    }
    // The confirmation, then the report naming the file and the disk's complaint.
    void ExpectReported(const char* szFile, std::int64_t nBudget)
    {
        ASSERT_EQ(m_boxes.Messages().size(), 2u) << nBudget;
        EXPECT_TRUE(m_boxes.Messages()[1].text.contains(QString::fromUtf8(szFile))) << nBudget;
        EXPECT_TRUE(
            m_boxes.Messages()[1].text.contains(QStringLiteral("ディスクの空きがありません")))
            << m_boxes.Messages()[1].text.toStdString();
    }

    std::unique_ptr<CEditDlg> m_dlg;
};

TEST_F(EditorFaultTest, AddThatFailsIsReportedAndTakenBack)
{
    const std::string before = Rec('a') + Rec('b') + "tail";
    Open(before);
    for (std::int64_t nBudget : kBudgets) {
        ClickFailing("add", nBudget);
        ExpectReported("q.txt", nBudget);
        EXPECT_EQ(ReadFileBytes(m_dir / "q.txt"), before) << nBudget;
        EXPECT_EQ(Numbers()->count(), 2) << nBudget;
    }
}

TEST_F(EditorFaultTest, UpdateThatFailsIsReportedAndLeavesTheFileAsItWas)
{
    const std::string before = Rec('a') + Rec('b') + Rec('c');
    for (std::int64_t nBudget : kBudgets) {
        Open(before);
        Choose(1);
        m_dlg->findChild<QLineEdit*>("question")->setText("xyz new question");
        ClickFailing("update", nBudget);
        ExpectReported("q.txt", nBudget);
        EXPECT_EQ(ReadFileBytes(m_dir / "q.txt"), before) << nBudget;
    }
}

TEST_F(EditorFaultTest, NewFileThatFailsIsReportedAndLeavesNoRecord)
{
    Open(Rec('a'));
    const std::string other = Rec('z') + "tail";
    for (std::int64_t nBudget : kBudgets) {
        // A fresh name: at most an empty file stays behind.
        m_files.Choose(m_dir / "new.txt");
        std::filesystem::remove(m_dir / "new.txt");
        ClickFailing("newFile", nBudget);
        ExpectReported("new.txt", nBudget);
        EXPECT_EQ(ReadFileBytes(m_dir / "new.txt"), "") << nBudget;

        // An existing file the user chose to add templates to keeps its bytes.
        WriteFileBytes(m_dir / "other.txt", other);
        m_files.Choose(m_dir / "other.txt");
        ClickFailing("newFile", nBudget);
        ExpectReported("other.txt", nBudget);
        EXPECT_EQ(ReadFileBytes(m_dir / "other.txt"), other) << nBudget;
    }
    EXPECT_EQ(ReadFileBytes(m_dir / "q.txt"), Rec('a')); // the editor's own file untouched
}

// ---- the question tool
// ---------------------------------------------------------------------------

TEST_F(FaultTest, ImportThatFailsAnywhereKeepsTheOldFileOrMakesNone)
{
    WriteFileBytes(m_dir / "in.tsv", "jpn\tq\ta\tb\tc\td\t1\nusa\tq\ta\tb\tc\td\t2\n");
    const std::string old = Rec('o');
    for (std::int64_t nBudget : {0, 1, 419, 420, 839}) {
        for (bool bOld : {true, false}) {
            std::filesystem::remove(m_dir / "q.txt");
            if (bOld)
                WriteFileBytes(m_dir / "q.txt", old);
            std::ostringstream out, err;
            FileFaults::FailWritesAfter(nBudget);
            const int nStatus = RunQuestionTool(
                {"import", (m_dir / "in.tsv").string(), "-o", (m_dir / "q.txt").string()}, out,
                err);
            FileFaults::Reset();
            EXPECT_EQ(nStatus, 1) << nBudget;
            EXPECT_NE(err.str().find("q.txt"), std::string::npos) << err.str();
            EXPECT_EQ(std::filesystem::exists(m_dir / "q.txt"), bOld) << nBudget;
            if (bOld)
                EXPECT_EQ(ReadFileBytes(m_dir / "q.txt"), old) << nBudget;
            EXPECT_EQ(FilesIn(m_dir.Path()), bOld ? 2u : 1u) << nBudget; // no temporary
        }
    }
}

} // namespace
