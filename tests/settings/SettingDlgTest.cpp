#include "settings/CSettingDlg.h"

#include "platform/File.h"
#include "platform/MessageBox.h"
#include "platform/ProfileStore.h"

#include "QtTestSupport.h"
#include "TestSupport.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include <optional>

namespace {

const std::string kNoFile = "<no Parameter.INI>";

std::string Records(int nCount, int nExtra = 0)
{
    return std::string(static_cast<std::size_t>(nCount) * 420 + nExtra, ' ');
}

class SettingDlgTest : public ::testing::Test
{
  protected:
    SettingDlgTest()
    {
        m_boxes.Answer([this](const MessageBoxCapture::Message& box) -> int {
            if (box.nType == (MB_OK | MB_ICONINFORMATION)) { // what is wrong with the saved file
                m_notices.push_back(box.text);
                return IDOK;
            }
            m_asked.push_back(box.text);
            EXPECT_EQ(box.nType, MB_YESNO | MB_ICONQUESTION);
            return m_nAnswer;
        });
    }

    void WriteIni(std::string_view text) { m_dir.WriteIni(Sjis(text)); }
    std::string Ini() const
    {
        return std::filesystem::exists(m_dir / "Parameter.INI")
                   ? ReadFileBytes(m_dir / "Parameter.INI")
                   : kNoFile;
    }
    int Stored(const char* szSection) const
    {
        return m_profile.GetProfileIntA(szSection, "1", -999);
    }

    template <typename T> static T* Find(const CSettingDlg& dlg, const char* szName)
    {
        T* p = dlg.findChild<T*>(QString::fromLatin1(szName));
        EXPECT_NE(p, nullptr) << szName;
        return p;
    }
    static QString Text(const CSettingDlg& dlg, const char* szName)
    {
        return Find<QLabel>(dlg, szName)->text();
    }
    static QSlider* Slider(const CSettingDlg& dlg, const char* szName)
    {
        return Find<QSlider>(dlg, szName);
    }
    static void Click(const CSettingDlg& dlg, const char* szName)
    {
        QTest::mouseClick(Find<QPushButton>(dlg, szName), Qt::LeftButton);
    }

    PlayFolder m_dir;
    ProfileStore& m_profile = m_dir.Store();
    MessageBoxCapture m_boxes;
    std::vector<QString> m_asked;
    std::vector<QString> m_notices;
    int m_nAnswer = IDYES;
};

TEST_F(SettingDlgTest, OpensWithTheStoredValues)
{
    WriteFileBytes(m_dir / "q.txt", Records(20));
    WriteIni("[QUESTION]\r\n1=q.txt\r\n[TIME_LIMIT]\r\n1=10\r\n[LIFE]\r\n1=5\r\n"
             "[QUESTION_CNT]\r\n1=20\r\n[SEQ]\r\n1=1\r\n");
    CSettingDlg dlg(m_profile);

    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("出題設定画面"));
    EXPECT_EQ(Text(dlg, "textTime"), QStringLiteral("10秒"));
    EXPECT_EQ(Text(dlg, "textLife"), QStringLiteral("5回"));
    EXPECT_EQ(Text(dlg, "textCount"), QStringLiteral("20問"));
    EXPECT_EQ(Slider(dlg, "sliderTime")->value(), 10);
    EXPECT_EQ(Slider(dlg, "sliderLife")->value(), 5);
    EXPECT_EQ(Slider(dlg, "sliderCount")->value(), 20);
    EXPECT_EQ(Slider(dlg, "sliderCount")->minimum(), 1);
    EXPECT_EQ(Slider(dlg, "sliderCount")->maximum(), 20);
    EXPECT_TRUE(Find<QRadioButton>(dlg, "seqRandom")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>(dlg, "seqInOrder")->isChecked());
    EXPECT_TRUE(m_asked.empty());
}

TEST_F(SettingDlgTest, WithoutSettingsShowsOneEverywhereAndFileOrder)
{
    WriteFileBytes(m_dir / "sample0524.txt", Records(66));
    CSettingDlg dlg(m_profile);

    EXPECT_EQ(Text(dlg, "textTime"), QStringLiteral("1秒"));
    EXPECT_EQ(Text(dlg, "textLife"), QStringLiteral("1回"));
    EXPECT_EQ(Text(dlg, "textCount"), QStringLiteral("1問"));
    EXPECT_EQ(Slider(dlg, "sliderLife")->value(), 3); // the stored 1 lies below the range
    EXPECT_EQ(Slider(dlg, "sliderCount")->maximum(), 66);
    EXPECT_TRUE(Find<QRadioButton>(dlg, "seqInOrder")->isChecked());
    auto* pList = Find<QListWidget>(dlg, "list");
    ASSERT_NE(pList->currentItem(), nullptr);
    EXPECT_EQ(pList->currentItem()->text(), QStringLiteral("sample0524.txt"));
    EXPECT_FALSE(pList->isEnabled());
}

TEST_F(SettingDlgTest, ListsTextFilesExceptExactlyReadMe)
{
    for (const char* szName : {"ReadMe.txt", "readme.txt", "Zeta.txt", "alpha.txt", "x.dat"})
        WriteFileBytes(m_dir / szName, "");
    CSettingDlg dlg(m_profile);

    auto* pList = Find<QListWidget>(dlg, "list");
    QStringList shown;
    for (int i = 0; i < pList->count(); ++i)
        shown << pList->item(i)->text();
    EXPECT_EQ(shown, (QStringList{"alpha.txt", "readme.txt", "Zeta.txt"}));
}

TEST_F(SettingDlgTest, RemainderBytesDoNotMakeARecord)
{
    WriteFileBytes(m_dir / "q.txt", Records(20, 419));
    WriteIni("[QUESTION]\r\n1=q.txt\r\n[QUESTION_CNT]\r\n1=99\r\n");
    CSettingDlg dlg(m_profile);
    EXPECT_EQ(Slider(dlg, "sliderCount")->maximum(), 20);
    EXPECT_EQ(Text(dlg, "textCount"), QStringLiteral("99問"));
}

TEST_F(SettingDlgTest, YesWritesTheFiveEntriesInOrder)
{
    // Nothing stored: the allowance slider stands at its low end 3, and that is what is saved.
    WriteFileBytes(m_dir / "sample0524.txt", Records(10));
    CSettingDlg dlg(m_profile);
    Click(dlg, "save");

    ASSERT_EQ(m_asked.size(), 1u);
    EXPECT_EQ(m_asked[0], QStringLiteral("設定保存しても宜しいですか?"));
    EXPECT_EQ(Ini(), "[QUESTION]\r\n1=sample0524.txt\r\n[LIFE]\r\n1=3\r\n[TIME_LIMIT]\r\n1=1\r\n"
                     "[QUESTION_CNT]\r\n1=1\r\n[SEQ]\r\n1=0\r\n");
    EXPECT_EQ(Text(dlg, "textLife"), QStringLiteral("3回"));
}

TEST_F(SettingDlgTest, PrefixSelectsTheFullNameWhichYesStores)
{
    for (const char* szName : {"a.txt", "Sample0524.txt", "sample1.txt"})
        WriteFileBytes(m_dir / szName, Records(3));
    WriteIni("[QUESTION]\r\n1=SAMPLE\r\n");
    CSettingDlg dlg(m_profile);
    EXPECT_EQ(Find<QListWidget>(dlg, "list")->currentItem()->text(),
              QStringLiteral("Sample0524.txt"));

    Click(dlg, "save");
    EXPECT_EQ(m_profile.GetProfileStringA("QUESTION", "1", ""), "Sample0524.txt");
}

TEST_F(SettingDlgTest, TextsFollowOnlyAConfirmedSave)
{
    WriteFileBytes(m_dir / "sample0524.txt", Records(30));
    WriteIni("[TIME_LIMIT]\r\n1=10\r\n[LIFE]\r\n1=5\r\n[QUESTION_CNT]\r\n1=20\r\n");
    CSettingDlg dlg(m_profile);
    Slider(dlg, "sliderTime")->setValue(45);
    Slider(dlg, "sliderLife")->setValue(9);
    Slider(dlg, "sliderCount")->setValue(25);
    QTest::mouseClick(Find<QRadioButton>(dlg, "seqRandom"), Qt::LeftButton);
    EXPECT_EQ(Text(dlg, "textTime"), QStringLiteral("10秒")); // moving changes no text

    Click(dlg, "save");
    EXPECT_EQ(Stored("TIME_LIMIT"), 45);
    EXPECT_EQ(Stored("LIFE"), 9);
    EXPECT_EQ(Stored("QUESTION_CNT"), 25);
    EXPECT_EQ(Stored("SEQ"), 1);
    EXPECT_EQ(Text(dlg, "textTime"), QStringLiteral("45秒"));
    EXPECT_EQ(Text(dlg, "textLife"), QStringLiteral("9回"));
    EXPECT_EQ(Text(dlg, "textCount"), QStringLiteral("25問"));
}

// The bundled starter settings are exactly what this dialog saves into an empty folder.
TEST_F(SettingDlgTest, SavingTheStarterValuesWritesTheBundledSettingsFile)
{
    m_dir.PutBundled("sample0524.txt");
    CSettingDlg dlg(m_profile);
    Slider(dlg, "sliderTime")->setValue(10);
    Slider(dlg, "sliderLife")->setValue(3);
    Slider(dlg, "sliderCount")->setValue(20);
    QTest::mouseClick(Find<QRadioButton>(dlg, "seqRandom"), Qt::LeftButton);

    Click(dlg, "save");
    EXPECT_EQ(Ini(), BundledBytes("Parameter.INI"));
}

TEST_F(SettingDlgTest, NoPutsEverythingBackAndWritesNothing)
{
    WriteFileBytes(m_dir / "sample0524.txt", Records(30));
    WriteIni("[TIME_LIMIT]\r\n1=10\r\n[LIFE]\r\n1=5\r\n[QUESTION_CNT]\r\n1=20\r\n");
    const std::string before = Ini();
    m_nAnswer = IDNO;
    CSettingDlg dlg(m_profile);
    Slider(dlg, "sliderTime")->setValue(45);
    Slider(dlg, "sliderLife")->setValue(9);
    Slider(dlg, "sliderCount")->setValue(25);
    QTest::mouseClick(Find<QRadioButton>(dlg, "seqRandom"), Qt::LeftButton);

    Click(dlg, "save");
    EXPECT_EQ(m_asked.size(), 1u);
    EXPECT_EQ(Ini(), before);
    EXPECT_EQ(Slider(dlg, "sliderTime")->value(), 10);
    EXPECT_EQ(Slider(dlg, "sliderLife")->value(), 5);
    EXPECT_EQ(Slider(dlg, "sliderCount")->value(), 20);
    EXPECT_TRUE(Find<QRadioButton>(dlg, "seqInOrder")->isChecked());
}

// Enter and Esc do nothing; 戻る closes; neither asks or writes.
TEST_F(SettingDlgTest, EnterAndEscDoNothingAndBackClosesWithoutWriting)
{
    WriteFileBytes(m_dir / "sample0524.txt", Records(30));
    CSettingDlg dlg(m_profile);
    dlg.show();
    Slider(dlg, "sliderTime")->setValue(45);
    QWidget* targets[] = {&dlg, Find<QPushButton>(dlg, "back"), Find<QPushButton>(dlg, "save"),
                          Find<QRadioButton>(dlg, "seqRandom")};
    for (QWidget* pTarget : targets)
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(pTarget, key);
            EXPECT_TRUE(dlg.isVisible()) << pTarget->objectName().toStdString() << " " << key;
        }
    Click(dlg, "back");
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(m_asked.empty());
    EXPECT_EQ(Ini(), kNoFile);
}

TEST_F(SettingDlgTest, TabVisitsTheButtonsAndTheOrderOnly)
{
    WriteFileBytes(m_dir / "sample0524.txt", Records(30));
    CSettingDlg dlg(m_profile);
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("back"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("save"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(QApplication::focusWidget()->objectName().startsWith("seq"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("back"));
}

// The question-count slider when the file is short, missing or changes while the dialog is open.
struct CountCase
{
    const char* szName;
    std::optional<std::size_t> bytesAtOpen; // empty: no such file
    int nStoredCount;
    std::optional<std::size_t> bytesAtSave;
    int nSliderMax;
    int nSliderPos;
    int nSavedCount; // what QUESTION_CNT holds after Yes, the slider left where it opened
};

class SettingDlgCountTest : public SettingDlgTest, public ::testing::WithParamInterface<CountCase>
{
};

TEST_P(SettingDlgCountTest, StaysUsableAndNeverLowersTheCountUnasked)
{
    const CountCase& c = GetParam();
    const auto file = m_dir / "q.txt";
    if (c.bytesAtOpen)
        WriteFileBytes(file, std::string(*c.bytesAtOpen, ' '));
    WriteIni("[QUESTION]\r\n1=q.txt\r\n[QUESTION_CNT]\r\n1=" + std::to_string(c.nStoredCount) +
             "\r\n");
    CSettingDlg dlg(m_profile);
    QSlider* pCount = Slider(dlg, "sliderCount");
    EXPECT_TRUE(pCount->isEnabled());
    EXPECT_EQ(pCount->minimum(), 1);
    EXPECT_EQ(pCount->maximum(), c.nSliderMax);
    EXPECT_EQ(pCount->value(), c.nSliderPos);
    EXPECT_EQ(Text(dlg, "textCount"), QString::number(c.nStoredCount) + QStringLiteral("問"));

    if (c.bytesAtSave)
        WriteFileBytes(file, std::string(*c.bytesAtSave, ' '));
    else
        std::filesystem::remove(file);
    Click(dlg, "save");
    EXPECT_EQ(Stored("QUESTION_CNT"), c.nSavedCount);
    EXPECT_EQ(m_profile.GetProfileStringA("QUESTION", "1", ""), "q.txt");
    EXPECT_GE(pCount->maximum(), 1);
    // A file no round could play is named, with the reason, once the save is done.
    const bool bBroken = c.bytesAtSave && (*c.bytesAtSave < 420 || *c.bytesAtSave % 420 != 0);
    ASSERT_EQ(m_notices.size(), bBroken ? 1u : 0u);
    if (bBroken)
        EXPECT_TRUE(m_notices[0].startsWith(QStringLiteral("問題ファイル「q.txt」\n1問分")))
            << m_notices[0].toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Counts, SettingDlgCountTest,
    ::testing::Values(CountCase{"Usual", 20 * 420, 20, 20 * 420, 20, 20, 20},
                      CountCase{"StoredBeyondFile", 20 * 420, 50, 20 * 420, 20, 20, 50},
                      CountCase{"ShrankWhileOpen", 20 * 420, 20, 5 * 420, 20, 20, 20},
                      CountCase{"ShorterThanARecord", 419, 7, 419, 1, 1, 7},
                      CountCase{"EmptiedWhileOpen", 20 * 420, 20, 0, 20, 20, 20},
                      CountCase{"VanishedWhileOpen", 20 * 420, 15, std::nullopt, 20, 15, 15},
                      CountCase{"MissingKeepsTheCount", std::nullopt, 12, std::nullopt, 12, 12, 12},
                      CountCase{"MissingWithZeroStored", std::nullopt, 0, std::nullopt, 1, 1, 1}),
    [](const ::testing::TestParamInfo<CountCase>& info) { return info.param.szName; });

} // namespace

// Two copies in one folder: a save writes only what was changed in its dialog, over the file as
// the other copy left it.
TEST_F(SettingDlgTest, ASaveKeepsWhatAnotherCopySavedSince)
{
    WriteFileBytes(m_dir / "sample0524.txt", Records(30));
    WriteIni("[QUESTION]\r\n1=sample0524.txt\r\n[TIME_LIMIT]\r\n1=17\r\n[LIFE]\r\n1=5\r\n"
             "[QUESTION_CNT]\r\n1=20\r\n[SEQ]\r\n1=0\r\n");
    CSettingDlg dlg(m_profile);
    ProfileStore(m_dir / "Parameter.INI").WriteProfileInt("TIME_LIMIT", "1", 23);
    Slider(dlg, "sliderLife")->setValue(9);
    Click(dlg, "save");
    EXPECT_EQ(Stored("TIME_LIMIT"), 23);
    EXPECT_EQ(Stored("LIFE"), 9);
    EXPECT_EQ(Text(dlg, "textTime"), QStringLiteral("23秒"));
}

// A save is one replacement: cut short, it leaves the file as it was and says why.
TEST_F(SettingDlgTest, ASaveThatCannotBeWrittenChangesNothingAndSaysWhy)
{
    WriteFileBytes(m_dir / "sample0524.txt", Records(30));
    WriteIni("[QUESTION]\r\n1=sample0524.txt\r\n[TIME_LIMIT]\r\n1=10\r\n[LIFE]\r\n1=5\r\n"
             "[QUESTION_CNT]\r\n1=20\r\n"); // no SEQ: the save adds it
    const std::string before = Ini();
    std::vector<QString> stops;
    SetMessageBoxHandler([&](const QString& text, unsigned nType) {
        if (nType == (MB_OK | MB_ICONSTOP))
            stops.push_back(text);
        return IDYES;
    });
    CSettingDlg dlg(m_profile);
    Slider(dlg, "sliderTime")->setValue(45);
    Slider(dlg, "sliderLife")->setValue(9);
    FileFaults::FailWritesAfter(static_cast<std::int64_t>(before.size()) + 5);
    Click(dlg, "save");
    FileFaults::Reset();
    EXPECT_EQ(Ini(), before);
    ASSERT_EQ(stops.size(), 1u);
    EXPECT_EQ(stops[0],
              QStringLiteral("設定を保存できませんでした（ディスクの空きがありません）。"));
    EXPECT_EQ(Text(dlg, "textTime"), QStringLiteral("10秒"));
}
