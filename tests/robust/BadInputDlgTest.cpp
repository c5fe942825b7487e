// The question editor and the settings dialog opened on files people made by hand: what the
// user sees, and that nothing but what the user saved changes on disk.

#include "editor/CEditDlg.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/ProfileStore.h"
#include "quiz/QuestionRecord.h"
#include "settings/CSettingDlg.h"

#include "QtTestSupport.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kOpenError = QStringLiteral("ファイルオープンエラー");
const QChar kReplacement(0xFFFD);

class BadDialogInputTest : public ::testing::Test
{
  protected:
    std::vector<QString> Texts() const { return m_boxes.Texts(); }

    PlayFolder m_dir;
    ProfileStore& m_store = m_dir.Store();
    MessageBoxCapture m_boxes{IDYES};
    const std::vector<MessageBoxCapture::Message>& m_messages = m_boxes.Messages();
};

// ---- the editor --------------------------------------------------------------------------------

class BadEditorInputTest : public BadDialogInputTest
{
  protected:
    // Opens the editor on the named file (cp932 in Parameter.INI, UTF-8 on disk).
    void Open(const std::string& bytes, const char* szName = "q.txt")
    {
        WriteFileBytes(m_dir / szName, bytes);
        OpenName(szName);
    }
    void OpenName(const char* szName)
    {
        m_store.WriteProfileStringA("QUESTION", "1", Sjis(szName));
        m_dlg = std::make_unique<CEditDlg>(m_store);
    }
    template <typename T> T* Child(const char* szName) { return m_dlg->findChild<T*>(szName); }
    QComboBox* Numbers() { return Child<QComboBox>("questionNo"); }
    void Choose(int nIndex)
    {
        Numbers()->setCurrentIndex(nIndex);
        emit Numbers()->activated(nIndex);
    }
    void Click(const char* szName)
    {
        QTest::mouseClick(Child<QPushButton>(szName), Qt::LeftButton);
    }

    std::unique_ptr<CEditDlg> m_dlg;
};

TEST_F(BadEditorInputTest, FilesWithoutAWholeRecordOfferNothingToChoose)
{
    for (const std::string& bytes : {std::string(), std::string(419, '\xFF')}) {
        Open(bytes);
        EXPECT_EQ(Numbers()->count(), 0) << bytes.size();
        // Said at once: no question can come from it, though one can be added.
        EXPECT_EQ(Texts(),
                  std::vector<QString>{QStringLiteral("問題ファイル「q.txt」\n1問分（420バイト）"
                                                      "に満たないファイルです（%1バイト）。")
                                           .arg(bytes.size())});
        m_boxes.Clear();
        Click("deleteQuestion");
        EXPECT_EQ(Texts(), std::vector<QString>{QStringLiteral("問題を選択して下さい")});
        m_boxes.Clear();
        EXPECT_EQ(ReadFileBytes(m_dir / "q.txt"), bytes);
    }
}

TEST_F(BadEditorInputTest, AFolderForAFileGivesTheOpenErrorAndStaysAFolder)
{
    std::filesystem::create_directory(m_dir / "folder.txt");
    OpenName("folder.txt");
    // The described error, then the name and why: it is no file at all.
    const QString notFile =
        kOpenError + QStringLiteral("\nfolder.txt\n通常のファイルではありません"
                                    "（フォルダー、デバイス、名前付きパイプなど）。");
    EXPECT_EQ(Texts(), std::vector<QString>{notFile});
    EXPECT_EQ(Numbers()->count(), 0);
    Click("add");
    EXPECT_EQ(Texts(),
              (std::vector<QString>{notFile, QStringLiteral("問題を追加します"), notFile}));
    EXPECT_TRUE(std::filesystem::is_directory(m_dir / "folder.txt"));
    EXPECT_TRUE(std::filesystem::is_empty(m_dir / "folder.txt"));
}

TEST_F(BadEditorInputTest, UpdateWithoutEditsKeepsLoneLeadBytesAtEveryFieldEnd)
{
    // As the editor itself writes a cut: the question block ends in a lead byte, and so does
    // every answer's 78th byte.
    const std::string strLead = std::string(77, 'a') + "\x82";
    const std::string record = ComposeRecord("jpn" + std::string(96, 'q') + "\x82",
                                             {strLead, strLead, strLead, strLead}, 3);
    const std::string file = record + record + "tail";
    Open(file);
    Choose(1);
    EXPECT_TRUE(Child<QLineEdit>("answer4")->text().contains(kReplacement));
    Click("update");
    EXPECT_TRUE(ReadFileBytes(m_dir / "q.txt") == file);
    EXPECT_EQ(m_messages.size(), 2u); // the notice of the broken tail, then the confirmation only
}

TEST_F(BadEditorInputTest, AnAllFFRecordShowsAndIsRewrittenInTheEditorsLayout)
{
    const std::string ff(kRecordSize, '\xFF');
    Open(ff + ff);
    Choose(0);
    EXPECT_FALSE(Child<QLineEdit>("question")->text().isEmpty());
    EXPECT_TRUE(Child<QPushButton>("update")->isEnabled());
    Click("update");
    // Unmarked answers lose their 79th byte to the writer's padding; nothing else changes.
    std::string rewritten = ff;
    for (std::size_t nMarker : kMarkerOffsets) {
        rewritten[nMarker] = ' ';
        rewritten[nMarker + kAnswerSize] = ' ';
    }
    EXPECT_TRUE(ReadFileBytes(m_dir / "q.txt") == rewritten + ff);
}

TEST_F(BadEditorInputTest, SeveralStarsChooseTheFirstMarkedAnswer)
{
    std::string record = ComposeRecord("jpn", {"a", "b", "c", "d"}, -1);
    record[180] = record[340] = '*';
    Open(record);
    Choose(0);
    EXPECT_TRUE(Child<QRadioButton>("correct2")->isChecked());
}

TEST_F(BadEditorInputTest, FileRemovedAfterChoosingGivesTheOpenErrorAndIsNotMadeAgain)
{
    const std::string record = ComposeRecord("jpn", {"a", "b", "c", "d"}, 0);
    Open(record + record);
    Choose(1);
    std::filesystem::remove(m_dir / "q.txt");
    for (const char* szButton : {"update", "add"}) {
        m_boxes.Clear();
        Click(szButton);
        ASSERT_EQ(m_messages.size(), 2u) << szButton;
        EXPECT_EQ(m_messages[1].text, kOpenError);
        EXPECT_EQ(m_messages[1].nType, MB_OK | MB_ICONSTOP);
        EXPECT_FALSE(std::filesystem::exists(m_dir / "q.txt")) << szButton;
    }
}

TEST_F(BadEditorInputTest, JapaneseFileNamesAreShownAndEdited)
{
    const std::string record = ComposeRecord("jpn", {"a", "b", "c", "d"}, 0);
    Open(record, "国旗ソ表①.txt");
    EXPECT_EQ(Child<QLabel>("fileName")->text(), QStringLiteral("国旗ソ表①.txt"));
    EXPECT_EQ(Numbers()->count(), 1);
    Click("add");
    EXPECT_EQ(ReadFileBytes(m_dir / "国旗ソ表①.txt").size(), 2 * kRecordSize);
}

// ---- the settings dialog -----------------------------------------------------------------------

class BadSettingsInputTest : public BadDialogInputTest
{
  protected:
    BadSettingsInputTest()
    {
        WriteFileBytes(m_dir / "sample0524.txt", std::string(10 * kRecordSize, ' '));
    }
    template <typename T> static T* Find(const CSettingDlg& dlg, const char* szName)
    {
        return dlg.findChild<T*>(QString::fromLatin1(szName));
    }
    std::string Ini() const { return ReadFileBytes(m_dir / "Parameter.INI"); }
};

TEST_F(BadSettingsInputTest, BinaryGarbageOpensWithDefaultsAndSaveOnlyAppends)
{
    std::string garbage;
    for (int i = 0; i < 2048; ++i)
        garbage += static_cast<char>((i * 167 + 13) % 256);
    WriteFileBytes(m_dir / "Parameter.INI", garbage);
    CSettingDlg dlg(m_store);
    EXPECT_EQ(Find<QLabel>(dlg, "textTime")->text(), QStringLiteral("1秒"));
    EXPECT_EQ(Find<QLabel>(dlg, "textLife")->text(), QStringLiteral("1回"));
    EXPECT_TRUE(Find<QRadioButton>(dlg, "seqInOrder")->isChecked());

    QTest::mouseClick(Find<QPushButton>(dlg, "save"), Qt::LeftButton);
    EXPECT_TRUE(Ini() == garbage +
                             "\r\n[QUESTION]\r\n1=sample0524.txt\r\n[LIFE]\r\n1=3\r\n"
                             "[TIME_LIMIT]\r\n1=1\r\n[QUESTION_CNT]\r\n1=1\r\n[SEQ]\r\n1=0\r\n");
}

TEST_F(BadSettingsInputTest, HandEditedFileKeepsEveryLineSaveDoesNotWrite)
{
    // A byte-order mark, a comment, LF and CRLF lines, a section twice, "=" in a value, other
    // programs' sections, and no line end at the end.
    const std::string before = "\xEF\xBB\xBF; " + Sjis("設定") +
                               "\n[LIFE]\n1=5\r\n[OTHER]\r\nkey=a=b\n[life]\r\n1=9\n"
                               "[TIME_LIMIT]\r\n1=20";
    WriteFileBytes(m_dir / "Parameter.INI", before);
    CSettingDlg dlg(m_store);
    EXPECT_EQ(Find<QLabel>(dlg, "textLife")->text(), QStringLiteral("5回"));
    EXPECT_EQ(Find<QLabel>(dlg, "textTime")->text(), QStringLiteral("20秒"));

    QTest::mouseClick(Find<QPushButton>(dlg, "save"), Qt::LeftButton);
    EXPECT_EQ(Ini(), before + "\r\n[QUESTION]\r\n1=sample0524.txt\r\n[QUESTION_CNT]\r\n1=1\r\n"
                              "[SEQ]\r\n1=0\r\n");
}

TEST_F(BadSettingsInputTest, ListLeavesFoldersOutAndKeepsJapaneseNames)
{
    std::filesystem::create_directory(m_dir / "folder.txt");
    WriteFileBytes(m_dir / "国旗.txt", std::string(419, ' ')); // no whole record
    m_store.WriteProfileStringA("QUESTION", "1", Sjis("国旗.txt"));
    m_store.WriteProfileInt("QUESTION_CNT", "1", 7);
    CSettingDlg dlg(m_store);
    auto* pList = Find<QListWidget>(dlg, "list");
    QStringList shown;
    for (int i = 0; i < pList->count(); ++i)
        shown << pList->item(i)->text();
    EXPECT_EQ(shown, (QStringList{"sample0524.txt", QStringLiteral("国旗.txt")}));
    EXPECT_EQ(Find<QSlider>(dlg, "sliderCount")->maximum(), 1);

    QTest::mouseClick(Find<QPushButton>(dlg, "save"), Qt::LeftButton);
    EXPECT_EQ(m_store.GetProfileStringA("QUESTION", "1", ""), Sjis("国旗.txt"));
    EXPECT_EQ(m_store.GetProfileIntA("QUESTION_CNT", "1", 0), 7); // no count fits no record
    EXPECT_TRUE(std::filesystem::is_directory(m_dir / "folder.txt"));
}

} // namespace
