#include "editor/CEditDlg.h"
#include "editor/CPlaceMap.h"
#include "map/WorldMapData.h"
#include "platform/CDialogUnits.h"
#include "platform/File.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/ProfileStore.h"
#include "quiz/QuestionRecord.h"

#include "QtTestSupport.h"
#include "TestSupport.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

class EditDlgTest : public ::testing::Test
{
  protected:
    ~EditDlgTest() override { FileFaults::Reset(); }

    // Opens the editor on q.txt holding the given bytes.
    CEditDlg& Open(const std::string& bytes)
    {
        WriteFileBytes(m_dir / "q.txt", bytes);
        m_store.WriteProfileStringA("QUESTION", "1", "q.txt");
        m_dlg = std::make_unique<CEditDlg>(m_store);
        return *m_dlg;
    }
    template <typename T> T* Child(const char* szName) { return m_dlg->findChild<T*>(szName); }
    QComboBox* Numbers() { return Child<QComboBox>("questionNo"); }
    QLineEdit* Field(const char* szName) { return Child<QLineEdit>(szName); }
    void Click(const char* szName)
    {
        QTest::mouseClick(Child<QPushButton>(szName), Qt::LeftButton);
    }
    void Choose(int nIndex)
    {
        Numbers()->setCurrentIndex(nIndex);
        emit Numbers()->activated(nIndex);
    }
    QStringList Entries()
    {
        QStringList out;
        for (int i = 0; i < Numbers()->count(); ++i)
            out << Numbers()->itemText(i);
        return out;
    }
    std::string FileBytes() { return ReadFileBytes(m_dir / "q.txt"); }

    PlayFolder m_dir;
    ProfileStore& m_store = m_dir.Store();
    MessageBoxCapture m_boxes{IDYES};
    const std::vector<MessageBoxCapture::Message>& m_messages = m_boxes.Messages();
    FileDialogCapture m_files;
    std::unique_ptr<CEditDlg> m_dlg;
};

std::string Record(const char* szQuestion, const char* szAnswer, int nCorrect)
{
    return ComposeRecord(Sjis(szQuestion), {Sjis(szAnswer), "b", "c", "d"}, nCorrect);
}

std::string Three()
{
    return Record("jpnにっぽん", "東京", 0) + Record("usaアメリカ", "ワシントン", 1) +
           Record("fraフランス", "パリ", 2);
}

} // namespace

TEST_F(EditDlgTest, LaysOutTheTemplateAndListsWholeRecords)
{
    Open(Three() + std::string(419, ' '));
    EXPECT_EQ(m_dlg->windowTitle(), QStringLiteral("編集画面"));
    const CDialogUnits du(m_dlg->font());
    EXPECT_EQ(m_dlg->size(), du.Size(291 + 86, 199)); // the flag panel right of the template
    EXPECT_EQ(Field("question")->geometry(), du.Rect(15, 56, 259, 14));
    EXPECT_EQ(Child<QPushButton>("deleteQuestion")->geometry(), du.Rect(244, 116, 31, 18));
    EXPECT_EQ(Child<QRadioButton>("correct5")->geometry(), du.Rect(176, 159, 10, 12));
    EXPECT_EQ(Child<QLabel>("fileName")->text(), QStringLiteral("q.txt"));
    EXPECT_EQ(Entries(), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(Numbers()->currentIndex(), -1);
    EXPECT_FALSE(Child<QPushButton>("update")->isEnabled());
    ASSERT_EQ(m_messages.size(), 1u); // the broken tail, told before anything is written
    EXPECT_EQ(m_messages[0].text,
              QStringLiteral("問題ファイル「q.txt」\nファイルの大きさ（1679バイト）が"
                             "1問分の420バイトで割り切れません。"));
    EXPECT_EQ(m_messages[0].nType, MB_OK | MB_ICONINFORMATION);
}

TEST_F(EditDlgTest, MissingFileOpensEmptyAfterTheOpenError)
{
    m_store.WriteProfileStringA("QUESTION", "1", "none.txt");
    m_dlg = std::make_unique<CEditDlg>(m_store);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, QStringLiteral("ファイルオープンエラー"));
    EXPECT_EQ(m_messages[0].nType, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(Numbers()->count(), 0);
}

TEST_F(EditDlgTest, ChoosingShowsTheRecordAndKeepsTheCorrectAnswerWithoutAMarker)
{
    Open(Three() + Record("chn", "北京", -1));
    Choose(1);
    EXPECT_EQ(Field("question")->text(), QStringLiteral("usaアメリカ").leftJustified(96, ' '));
    EXPECT_EQ(Field("answer1")->text(), QStringLiteral("ワシントン").leftJustified(74, ' '));
    EXPECT_EQ(Field("answer1")->cursorPosition(), 0); // the text shows, not its padding
    EXPECT_TRUE(Child<QRadioButton>("correct2")->isChecked());
    EXPECT_TRUE(Child<QPushButton>("update")->isEnabled());

    QTest::mouseClick(Child<QRadioButton>("correct4"), Qt::LeftButton); // clicked, not saved
    Choose(3);
    EXPECT_EQ(Field("answer1")->text().trimmed(), QStringLiteral("北京"));
    EXPECT_TRUE(Child<QRadioButton>("correct2")->isChecked());
}

TEST_F(EditDlgTest, UpdateRewritesOnlyTheChosenRecord)
{
    std::string before;
    for (char c : std::string("12345"))
        before += std::string(kRecordSize, c);
    before.replace(840 + 101, 79, std::string(79, 'L')); // a 79-byte answer written elsewhere
    Open(before);
    Choose(2);
    Field("answer2")->setText(QStringLiteral("新しい解答"));
    QTest::mouseClick(Child<QRadioButton>("correct2"), Qt::LeftButton);
    Click("update");
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, QStringLiteral("更新しても宜しいですか?"));
    EXPECT_EQ(m_messages[0].nType, MB_YESNO | MB_ICONQUESTION);

    const std::string after = FileBytes();
    EXPECT_EQ(after.substr(0, 840), before.substr(0, 840));
    EXPECT_EQ(after.substr(1260), before.substr(1260));
    EXPECT_EQ(after.substr(840, 420), ComposeRecord(std::string(100, '3'),
                                                    {std::string(79, 'L'), Sjis("新しい解答"),
                                                     std::string(79, '3'), std::string(79, '3')},
                                                    1));
    EXPECT_EQ(Field("answer1")->text(), QString(78, 'L') + ' ');
}

TEST_F(EditDlgTest, UpdateKeepsTheBytesOfUntouchedFieldsAndRefusesUnencodableText)
{
    // A question block cut inside a double-byte character ends in its lead byte.
    std::string record = Record("jpn日本", "東京", 0);
    record[99] = '\x93';
    Open(record);
    Choose(0);
    Click("update");
    EXPECT_EQ(FileBytes(), record);

    Field("answer3")->setText(QStringLiteral("서울"));
    Click("update");
    ASSERT_EQ(m_messages.size(), 3u);
    EXPECT_TRUE(m_messages[2].text.startsWith(QStringLiteral("解答3")))
        << m_messages[2].text.toStdString();
    EXPECT_EQ(m_messages[2].nType, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(FileBytes(), record);
}

TEST_F(EditDlgTest, AddAppendsAndListsTheNewRecord)
{
    Open(Three() + "tail");
    EXPECT_TRUE(m_messages.at(0).text.contains(QStringLiteral("（1264バイト）")));
    m_boxes.Clear();
    Click("add");
    EXPECT_EQ(m_messages.at(0).text, QStringLiteral("問題を追加します"));
    EXPECT_EQ(FileBytes(), Three() + "tail" + std::string(kRecordSize, ' '));
    EXPECT_EQ(Entries(), (QStringList{"1", "2", "3", "4"}));

    m_boxes.Answer(IDNO);
    Click("add");
    EXPECT_EQ(FileBytes().size(), 3 * kRecordSize + 4 + kRecordSize);
}

TEST_F(EditDlgTest, DeleteQuestionShiftsTheRestAndRefillsTheNumbers)
{
    Open(Three());
    Choose(0);
    Click("deleteQuestion");
    EXPECT_EQ(m_messages.at(0).text, QStringLiteral("問題を削除します"));
    EXPECT_EQ(FileBytes(), Three().substr(kRecordSize));
    EXPECT_EQ(Entries(), (QStringList{"1", "2"}));
    EXPECT_EQ(Numbers()->currentIndex(), -1);
    EXPECT_FALSE(Child<QPushButton>("update")->isEnabled());
    EXPECT_EQ(Field("answer1")->text().trimmed(), QStringLiteral("東京")); // fields stay

    Choose(1);
    Click("deleteQuestion");
    Choose(0);
    Click("deleteQuestion");
    EXPECT_EQ(FileBytes(), "");
    EXPECT_EQ(Numbers()->count(), 0);
}

TEST_F(EditDlgTest, FailedDeleteKeepsTheFileAndNamesIt)
{
    Open(Three());
    Choose(1);
    FileFaults::FailWritesAfter(500);
    Click("deleteQuestion");
    EXPECT_EQ(FileBytes(), Three());
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_TRUE(m_messages[1].text.contains("q.txt"));
    EXPECT_TRUE(m_messages[1].text.contains(QStringLiteral("ディスクの空きがありません")));
    EXPECT_EQ(m_messages[1].nType, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(Entries(), (QStringList{"1", "2", "3"}));
}

TEST_F(EditDlgTest, CloseBoxDeletesAQuestionAndOnlyBackCloses)
{
    Open(Three());
    m_dlg->show();
    QTest::keyClick(Field("question"), Qt::Key_Escape);
    QTest::keyClick(Field("question"), Qt::Key_Return);
    EXPECT_TRUE(m_dlg->isVisible());
    EXPECT_TRUE(m_messages.empty());

    m_dlg->close();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, QStringLiteral("問題を選択して下さい"));
    EXPECT_EQ(m_messages[0].nType, MB_OK | MB_ICONINFORMATION);

    Choose(2);
    m_boxes.Answer(IDNO);
    m_dlg->close();
    EXPECT_EQ(m_messages.at(1).text, QStringLiteral("問題を削除します"));
    EXPECT_TRUE(m_dlg->isVisible());
    EXPECT_EQ(FileBytes(), Three());

    Click("back");
    EXPECT_FALSE(m_dlg->isVisible());
}

TEST_F(EditDlgTest, NewFileWritesTemplatesWhereTheDialogPoints)
{
    Open(Three());
    m_files.Choose(m_dir / "new.txt");
    Click("newFile");
    EXPECT_EQ(m_files.Kinds(), std::vector<FileDialogKind>{FileDialogKind::Save});
    EXPECT_EQ(m_messages.at(0).text, QStringLiteral("問題ファイルを新規作成します"));
    const std::string strTemplate = TemplateRecord();
    EXPECT_EQ(ReadFileBytes(m_dir / "new.txt"), strTemplate + strTemplate + strTemplate);
    EXPECT_EQ(Entries(), (QStringList{"1", "2", "3"})); // the editor stays on its own file

    m_files.Cancel();
    Click("newFile");
    EXPECT_EQ(m_messages.size(), 1u);
}

TEST_F(EditDlgTest, DeleteFileRefusesProtectedNamesAfterConfirming)
{
    Open(Three());
    const struct
    {
        const char* szName;
        bool bRemoved;
    } cases[] = {{"q.txt", false},
                 {"q.dat", false},
                 {"ReadMe.txt", false},
                 {"readme.txt", true},
                 {"other.txt", true}};
    for (const auto& c : cases) {
        WriteFileBytes(m_dir / c.szName, "x");
        m_boxes.Clear();
        m_files.Choose(m_dir / c.szName);
        Click("deleteFile");
        EXPECT_EQ(m_messages.at(0).text, QStringLiteral("問題ファイルを削除します")) << c.szName;
        EXPECT_EQ(std::filesystem::exists(m_dir / c.szName), !c.bRemoved) << c.szName;
        if (!c.bRemoved)
            EXPECT_EQ(m_messages.at(1).text, QStringLiteral("設定問題につき削除出来ません"));
        else
            EXPECT_EQ(m_messages.size(), 1u) << c.szName;
    }
    m_boxes.Clear();
    m_files.Choose(m_dir / "gone.txt");
    Click("deleteFile");
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_TRUE(m_messages[1].text.contains("No such file")) << m_messages[1].text.toStdString();
}

// A record whose four answers are catalogue codes shows their flags beside the fields, and
// typing follows the quiz's rule: one answer that is no code, and the panel only explains.
TEST_F(EditDlgTest, ShowsTheFourFlagsOfAFlagChoiceRecordAsTyped)
{
    Open(ComposeRecord("bra" + Sjis("ブラジルの国旗はどれ？"), {"prt", "bra", "arg", "col"}, 1) +
         Three());
    Choose(0);
    auto picture = [this](int n) {
        return Child<QLabel>(QString("previewFlag%1").arg(n).toLatin1().constData());
    };
    auto* pNote = Child<QLabel>("flagPreviewNote");
    m_dlg->show();
    EXPECT_FALSE(pNote->isVisible());
    for (int n = 1; n <= 4; ++n) {
        EXPECT_TRUE(picture(n)->isVisible());
        EXPECT_FALSE(picture(n)->pixmap().isNull()) << n;
    }
    const QImage before = picture(4)->pixmap().toImage();
    Field("answer4")->setText("ury");
    EXPECT_NE(picture(4)->pixmap().toImage(), before);
    Field("answer4")->setText("uryy");
    EXPECT_TRUE(pNote->isVisible());
    EXPECT_FALSE(picture(1)->isVisible());
    Choose(1); // a text record
    EXPECT_TRUE(pNote->isVisible());
}

// A record whose four answers are '@' and a code shows the four places on a small map instead of
// the flags: each place in view and numbered where no other number covers it, tiny states too.
TEST_F(EditDlgTest, ShowsTheFourPlacesOfAPositionRecordOnAMap)
{
    Open(ComposeRecord("tcd" + Sjis("チャドはどこ？"), {"@ner", "@tcd", "@sdn", "@lby"}, 1) +
         ComposeRecord("vat" + Sjis("バチカンはどこ？"), {"@ita", "@smr", "@vat", "@fra"}, 2) +
         Three());
    m_dlg->show();
    auto* pPanel = Child<QWidget>("placePreview");
    auto* pMap = Child<CPlaceMap>("placeMap");
    ASSERT_TRUE(pPanel && pMap);
    for (int nRecord : {0, 1}) {
        Choose(nRecord);
        ASSERT_TRUE(pPanel->isVisible());
        EXPECT_FALSE(Child<QWidget>("flagPreview")->isVisible());
        const MapRect frame = pMap->Frame();
        std::vector<QPointF> numbers;
        for (int n = 0; n < 4; ++n) {
            const std::string code =
                Field(QString("answer%1").arg(n + 1).toLatin1())->text().mid(1, 3).toStdString();
            const MapCountry* pCountry = WorldMapData().Find(code);
            ASSERT_NE(pCountry, nullptr) << code;
            EXPECT_TRUE(pCountry->ptLabel.x > frame.left && pCountry->ptLabel.x < frame.right &&
                        pCountry->ptLabel.y > frame.top && pCountry->ptLabel.y < frame.bottom)
                << code;
            const QPointF at = pMap->NumberAt(n);
            EXPECT_TRUE(QRectF(pMap->rect()).contains(at)) << code;
            for (const QPointF& other : numbers)
                EXPECT_GE(QLineF(at, other).length(), 14) << code;
            numbers.push_back(at);
        }
    }
    EXPECT_EQ(Child<QLabel>("placeName3")->accessibleName(),
              QStringLiteral("解答3 の位置 バチカン（vat）"));
    const QImage image = pMap->grab().toImage();
    int nTinted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            nTinted += image.pixelColor(x, y) == QColor(0xf2, 0xa5, 0x3a) ? 1 : 0;
    EXPECT_GT(nTinted, 100); // Italy and France, tinted

    Field("answer4")->setText("@xyz"); // no catalogue code: a text record
    EXPECT_FALSE(pPanel->isVisible());
    EXPECT_TRUE(Child<QLabel>("flagPreviewNote")->isVisible());
}

// A configured name with a directory part plays and browses where it points, but the editor
// writes nothing there.
TEST_F(EditDlgTest, ANameOutsideTheFolderIsBrowsedButNeverWritten)
{
    WriteFileBytes(m_dir / "q.txt", Three());
    std::filesystem::create_directory(m_dir / "play");
    ScopedCurrentDir inPlay(m_dir / "play");
    ProfileStore store(m_dir / "play" / "Parameter.INI");
    store.WriteProfileStringA("QUESTION", "1", "../q.txt");
    m_dlg = std::make_unique<CEditDlg>(store);
    EXPECT_EQ(Entries(), (QStringList{"1", "2", "3"}));
    Choose(1);
    for (const char* szButton : {"add", "update", "deleteQuestion"}) {
        m_boxes.Clear();
        Click(szButton);
        ASSERT_EQ(m_messages.size(), 2u) << szButton; // the confirmation, then the refusal
        EXPECT_TRUE(m_messages[1].text.contains(QStringLiteral("「../q.txt」はこのフォルダーの外")))
            << m_messages[1].text.toStdString();
    }
    EXPECT_EQ(FileBytes(), Three());
}
