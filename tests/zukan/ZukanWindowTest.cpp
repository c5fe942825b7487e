#include "app/MainWindow.h"
#include "facts/Facts.h"
#include "learning/AnswerHistory.h"
#include "learning/MasteryMap.h"
#include "map/CWorldMapView.h"
#include "platform/CDialogUnits.h"
#include "platform/Cp932.h"
#include "platform/LocalTime.h"
#include "platform/MessageBox.h"
#include "platform/ProfileStore.h"
#include "platform/Resources.h"
#include "quiz/CQuizDlg.h"
#include "quiz/QuestionRecord.h"
#include "zukan/CFactsPanel.h"
#include "zukan/CFlagDelegate.h"
#include "zukan/CFlagListModel.h"
#include "zukan/CZukanCommands.h"
#include "zukan/CZukanWindow.h"
#include "zukan/DrillFile.h"

#include "MainWindowTest.h"
#include "QtTestSupport.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// Japanese text arrives through the input method, one committed character at a time.
void Type(QWidget* pWidget, const QString& text)
{
    for (const QChar c : text) {
        QInputMethodEvent event;
        event.setCommitString(QString(c));
        QCoreApplication::sendEvent(pWidget, &event);
    }
}

class ZukanWindowTest : public MainWindowTest
{
  protected:
    ZukanWindowTest() : MainWindowTest(20) {}

    CZukanWindow* Open()
    {
        m_pDlg->findChild<QAction*>("menuZukan")->trigger();
        auto* pWindow = m_pDlg->findChild<CZukanWindow*>();
        if (pWindow)
            EXPECT_TRUE(QTest::qWaitForWindowActive(pWindow));
        return pWindow;
    }
    template <class T> T* In(CZukanWindow* pWindow, const char* szName)
    {
        return pWindow->findChild<T*>(szName);
    }
    QModelIndex RowOf(CZukanWindow* pWindow, const char* szName)
    {
        const auto* pModel =
            static_cast<const CFlagListModel*>(In<QListView>(pWindow, "zukanList")->model());
        const QModelIndexList found = pModel->match(pModel->index(0), Qt::DisplayRole,
                                                    QString::fromUtf8(szName), 1, Qt::MatchExactly);
        return found.isEmpty() ? QModelIndex() : found.front();
    }
    QStringList ShownNames(CZukanWindow* pWindow)
    {
        auto* pList = In<QListView>(pWindow, "zukanList");
        const auto* pModel = static_cast<const CFlagListModel*>(pList->model());
        QStringList names;
        for (int nRow = 0; nRow < pModel->rowCount(); ++nRow)
            if (!pList->isRowHidden(nRow) && pModel->EntryAt(nRow) >= 0)
                names << pModel->index(nRow).data().toString();
        return names;
    }
    void Click(CZukanWindow* pWindow, const char* szName, Qt::KeyboardModifiers modifiers = {})
    {
        auto* pList = In<QListView>(pWindow, "zukanList");
        const QModelIndex index = RowOf(pWindow, szName);
        pList->scrollTo(index);
        QTest::mouseClick(pList->viewport(), Qt::LeftButton, modifiers,
                          pList->visualRect(index).center());
    }
    QString Fact(CZukanWindow* pWindow, const char* szCaption)
    {
        return In<CFactsPanel>(pWindow, "zukanFacts")->Value(QString::fromUtf8(szCaption))->text();
    }
};

} // namespace

TEST_F(ZukanWindowTest, OneWindowFromTheMenuWithEveryFlagBy州)
{
    EXPECT_EQ(m_pDlg->findChild<CZukanWindow*>(), nullptr); // nothing before it is asked for
    CZukanWindow* pWindow = Open();
    ASSERT_NE(pWindow, nullptr);
    EXPECT_TRUE(pWindow->isVisible());
    EXPECT_EQ(pWindow->windowTitle(), "国旗図鑑");
    EXPECT_EQ(Open(), pWindow);
    EXPECT_EQ(m_pDlg->findChildren<CZukanWindow*>().size(), 1);

    auto* pList = In<QListView>(pWindow, "zukanList");
    const auto* pModel = static_cast<const CFlagListModel*>(pList->model());
    ASSERT_EQ(pModel->rowCount(), 199 + 6);
    EXPECT_EQ(pModel->index(0).data().toString(), "アジア州");
    EXPECT_EQ(ShownNames(pWindow).size(), 199);
    EXPECT_EQ(In<QLabel>(pWindow, "zukanFound")->text(), "全199か国");
    // Flags are decoded as they are painted, not all at the opening.
    pWindow->grab();
    EXPECT_GT(pModel->DecodedFlags(), 0);
    EXPECT_LT(pModel->DecodedFlags(), 199);

    // Screen readers hear each flag by its country's name.
    QAccessibleInterface* pAccessible = QAccessible::queryAccessibleInterface(pList);
    ASSERT_NE(pAccessible, nullptr);
    const QModelIndex jpn = RowOf(pWindow, "日本");
    pList->scrollTo(jpn);
    bool bNamed = false;
    for (int i = 0; i < pAccessible->childCount(); ++i)
        bNamed |= pAccessible->child(i)->text(QAccessible::Name) == "日本（未出題）";
    EXPECT_TRUE(bNamed);
}

TEST_F(ZukanWindowTest, TheSearchNarrowsAtEachKeyAndSaysWhenNothingIsFound)
{
    CZukanWindow* pWindow = Open();
    auto* pSearch = In<QLineEdit>(pWindow, "zukanSearch");
    Type(pSearch, "ぶらじ");
    EXPECT_TRUE(ShownNames(pWindow).contains("ブラジル"));
    Type(pSearch, "りあ");
    EXPECT_EQ(ShownNames(pWindow), QStringList{"ブラジル"});
    EXPECT_EQ(In<QLabel>(pWindow, "zukanFound")->text(), "1か国が見つかりました");

    pSearch->clear();
    Type(pSearch, "ずずず");
    EXPECT_TRUE(ShownNames(pWindow).isEmpty());
    auto* pFound = In<QLabel>(pWindow, "zukanFound");
    EXPECT_EQ(pFound->text(), "「ずずず」に当てはまる国はありません。");
    EXPECT_TRUE(pFound->accessibleName().contains(pFound->text()));
}

TEST_F(ZukanWindowTest, KeysChooseAFlagAndItsFactsAndRecordShow)
{
    const auto answer = [&](const char* szTime, AnswerResult result) {
        ASSERT_TRUE(AppendHistoryRow(m_dir / kHistoryFileName,
                                     {szTime, "sample0524.txt", 1, RecordFingerprint(m_records[0]),
                                      "jpn", result, 2.0, "2026-12-08T19:00:00+09:00", "q"}));
    };
    answer("2026-12-08T19:03:11+09:00", AnswerResult::Correct);
    answer("2026-12-08T19:05:42+09:00", AnswerResult::Wrong);

    CZukanWindow* pWindow = Open();
    auto* pSearch = In<QLineEdit>(pWindow, "zukanSearch");
    pSearch->setFocus();
    Type(pSearch, "にっぽん");
    QTest::keyClick(pSearch, Qt::Key_Return);
    auto* pList = In<QListView>(pWindow, "zukanList");
    EXPECT_TRUE(pList->hasFocus());
    EXPECT_EQ(pList->currentIndex(), RowOf(pWindow, "日本"));
    EXPECT_EQ(Fact(pWindow, "国名"), "日本（にほん、にっぽん）");
    EXPECT_EQ(Fact(pWindow, "首都"), "東京（とうきょう）");
    EXPECT_EQ(Fact(pWindow, "州"), "アジア州");
    EXPECT_EQ(Fact(pWindow, "地域"), "東アジア");
    EXPECT_EQ(Fact(pWindow, "公用語"), "日本語");
    EXPECT_EQ(Fact(pWindow, "出題回数"), "2回");
    EXPECT_EQ(Fact(pWindow, "正解率"), "50.0%（1問正解）");
    EXPECT_EQ(Fact(pWindow, "最後の解答"), "2026/12/08 19:05 誤り");
    EXPECT_NE(Fact(pWindow, "次の復習"), "未出題");
    auto* pCapital = In<CFactsPanel>(pWindow, "zukanFacts")->Value("首都");
    EXPECT_EQ(pCapital->accessibleName(), "首都 東京（とうきょう）");
    EXPECT_EQ(In<CWorldMapView>(pWindow, "zukanMap")->HighlightedCode(), "jpn");

    // Arrows move through the whole list once the search is cleared; coming back to a country
    // shows what the history holds now.
    pSearch->clear();
    pList->setFocus();
    QTest::keyClick(pList, Qt::Key_Home);
    EXPECT_EQ(Fact(pWindow, "国名"), "アゼルバイジャン");
    EXPECT_EQ(In<CWorldMapView>(pWindow, "zukanMap")->HighlightedCode(), "aze");
    EXPECT_EQ(Fact(pWindow, "出題回数"), "未出題");
    answer("2026-12-09T08:00:00+09:00", AnswerResult::TimeOut);
    Click(pWindow, "日本");
    EXPECT_EQ(Fact(pWindow, "出題回数"), "3回");
    EXPECT_EQ(Fact(pWindow, "最後の解答"), "2026/12/09 08:00 時間切れ");
}

// Every country's facts are shown in Japanese: no three English words in a row in any label or
// button of the window, and every note of the table has its Japanese text.
TEST_F(ZukanWindowTest, EveryCountryShowsNoEnglishSentence)
{
    CZukanWindow* pWindow = Open();
    auto* pList = In<QListView>(pWindow, "zukanList");
    const auto* pModel = static_cast<const CFlagListModel*>(pList->model());
    const QRegularExpression english("[A-Za-z]{2,}([ ,.;:'()-]+[A-Za-z]{2,}){2,}");
    int nCountries = 0;
    for (int nRow = 0; nRow < pModel->rowCount(); ++nRow) {
        if (pModel->EntryAt(nRow) < 0)
            continue;
        pList->setCurrentIndex(pModel->index(nRow));
        const QString name = pModel->index(nRow).data().toString();
        ASSERT_EQ(Fact(pWindow, "国名").section(u'（', 0, 0), name);
        QStringList shown;
        for (const QLabel* pLabel : pWindow->findChildren<QLabel*>())
            shown << pLabel->text();
        for (const QAbstractButton* pButton : pWindow->findChildren<QAbstractButton*>())
            shown << pButton->text();
        for (const QString& text : shown)
            EXPECT_FALSE(english.match(text).hasMatch())
                << name.toStdString() << ": " << text.toStdString();
        const Facts::Country* pCountry = nullptr;
        for (const Facts::Country& c : Facts::Countries())
            if (QString::fromUtf8(c.names.front().data(),
                                  static_cast<qsizetype>(c.names.front().size())) == name)
                pCountry = &c;
        ASSERT_NE(pCountry, nullptr) << name.toStdString();
        if (!pCountry->note.empty())
            EXPECT_NE(Fact(pWindow, "注記"), "なし") << name.toStdString();
        ++nCountries;
    }
    EXPECT_EQ(nCountries, 199);
}

TEST_F(ZukanWindowTest, EachFlagSaysItsMasteryStateAndOneStateCanBeListedAlone)
{
    const auto answer = [&](int nRecord, const char* szCode, AnswerResult result) {
        const std::string time = FormatLocalTime(std::time(nullptr));
        ASSERT_TRUE(AppendHistoryRow(m_dir / kHistoryFileName,
                                     {time, "sample0524.txt", nRecord,
                                      RecordFingerprint(m_records[std::size_t(nRecord - 1)]),
                                      szCode, result, 2.0, time, "この国旗はどの国の国旗？"}));
    };
    answer(1, "jpn", AnswerResult::Wrong);
    answer(2, "fra", AnswerResult::Correct);

    CZukanWindow* pWindow = Open();
    EXPECT_EQ(RowOf(pWindow, "日本").data(Qt::AccessibleTextRole).toString(), "日本（要復習）");
    EXPECT_EQ(RowOf(pWindow, "フランス").data(Qt::ToolTipRole).toString(), "フランス（学習中）");
    EXPECT_EQ(RowOf(pWindow, "ドイツ").data(CFlagListModel::kMasteryRole).toInt(),
              int(Mastery::Unasked));
    pWindow->SetStateFilter(1);
    EXPECT_EQ(ShownNames(pWindow), QStringList{"日本"});
    pWindow->SetStateFilter(2);
    EXPECT_EQ(ShownNames(pWindow), QStringList{"フランス"});
    EXPECT_EQ(In<QLabel>(pWindow, "zukanFound")->text(), "1か国が見つかりました");

    // A round played meanwhile shows when the window is opened again.
    answer(3, "bra", AnswerResult::Wrong);
    pWindow->SetStateFilter(1);
    pWindow->close();
    Open();
    EXPECT_EQ(ShownNames(pWindow), (QStringList{"日本", "ブラジル"}));
}

TEST_F(ZukanWindowTest, ChosenCountriesBecomeAQuestionFileOfTheBundledRecords)
{
    CZukanWindow* pWindow = Open();
    auto* pDrill = In<QPushButton>(pWindow, "zukanDrill");
    EXPECT_FALSE(pDrill->isEnabled()); // nothing chosen yet
    Click(pWindow, "日本");
    Click(pWindow, "ブラジル", Qt::ControlModifier);
    EXPECT_EQ(pWindow->SelectedCodes(), (std::set<std::string>{"bra", "jpn"}));
    EXPECT_EQ(In<QLabel>(pWindow, "zukanSelected")->text(), "選んだ国：2か国");
    ASSERT_TRUE(pDrill->isEnabled());
    QTest::mouseClick(pDrill, Qt::LeftButton);

    const std::string strName = m_profile.GetProfileStringA("QUESTION", "1", "");
    ASSERT_EQ(strName.substr(0, 5), Sjis("図鑑-"));
    const std::string bundled = BundledBytes("世界の国旗.txt");
    const std::string expected = RecordsAbout(bundled, {"bra", "jpn"});
    // Each country has one question of every kind, the flag choice and the position among them.
    ASSERT_EQ(expected.size(), 12 * kRecordSize);
    int nFlagChoices = 0;
    int nPositions = 0;
    for (std::size_t i = 0; i < expected.size(); i += kRecordSize) {
        nFlagChoices += FlagChoiceCodes(SplitRecord(expected.substr(i, kRecordSize))) ? 1 : 0;
        nPositions += PositionCodes(SplitRecord(expected.substr(i, kRecordSize))) ? 1 : 0;
    }
    EXPECT_EQ(nFlagChoices, 2);
    EXPECT_EQ(nPositions, 2);
    EXPECT_EQ(ReadFileBytes(m_dir / Cp932::ToUtf8(strName)), expected);
    EXPECT_EQ(m_profile.GetProfileStringA("QUESTION_CNT", "1", ""), "20"); // the learner's count
    ASSERT_EQ(m_boxes.Messages().size(), 1u);
    EXPECT_TRUE(m_boxes.Texts()[0].contains(Cp932::ToUtf8(strName).c_str()))
        << m_boxes.Texts()[0].toStdString();

    // A user's edited copy of the world file does not matter: the shipped one is read.
    WriteFileBytes(m_dir / "世界の国旗.txt", m_records[0]);
    QTest::mouseClick(pDrill, Qt::LeftButton);
    const std::string strSecond = m_profile.GetProfileStringA("QUESTION", "1", "");
    EXPECT_NE(strSecond, strName);
    EXPECT_EQ(ReadFileBytes(m_dir / Cp932::ToUtf8(strSecond)), expected);
}

TEST_F(ZukanWindowTest, ThisStateSelectsItsWholeStateAndADrillWaitsForTheRound)
{
    CZukanWindow* pWindow = Open();
    EXPECT_FALSE(In<QPushButton>(pWindow, "zukanSelectGroup")->isEnabled());
    Click(pWindow, "ペルー");
    QTest::mouseClick(In<QPushButton>(pWindow, "zukanSelectGroup"), Qt::LeftButton);
    EXPECT_EQ(pWindow->SelectedCodes().size(), 12u);
    EXPECT_EQ(In<QLabel>(pWindow, "zukanSelected")->text(), "選んだ国：12か国");

    auto* pDrill = In<QPushButton>(pWindow, "zukanDrill");
    EXPECT_TRUE(pDrill->isEnabled());
    QTest::mouseClick(m_pDlg->findChild<QPushButton*>("start"), Qt::LeftButton);
    EXPECT_FALSE(pDrill->isEnabled());
    EXPECT_TRUE(m_pDlg->findChild<QAction*>("menuZukan")->isEnabled());
    QTest::mouseClick(pDrill, Qt::LeftButton);
    EXPECT_TRUE(m_boxes.Texts().empty());
    EXPECT_EQ(m_profile.GetProfileStringA("QUESTION", "1", "unset"), "unset");
    m_pDlg->OnButtonStop();
    EXPECT_TRUE(pDrill->isEnabled());
}

TEST_F(ZukanWindowTest, KeysBrowseWithoutLosingTheChoiceAndSpacePicksOrDrops)
{
    CZukanWindow* pWindow = Open();
    auto* pList = In<QListView>(pWindow, "zukanList");
    pList->setFocus();
    QTest::keyClick(pList, Qt::Key_Home);
    QTest::keyClick(pList, Qt::Key_Space);
    EXPECT_EQ(pWindow->SelectedCodes(), std::set<std::string>{"aze"});
    QTest::keyClick(pList, Qt::Key_Right);
    QTest::keyClick(pList, Qt::Key_Down);
    EXPECT_EQ(pWindow->SelectedCodes().size(), 1u);
    QTest::keyClick(pList, Qt::Key_Space);
    EXPECT_EQ(pWindow->SelectedCodes().size(), 2u);
    QTest::keyClick(pList, Qt::Key_Space);
    EXPECT_EQ(pWindow->SelectedCodes(), std::set<std::string>{"aze"});
    // End reaches the last flag shown, past no heading; a search keeps what was picked.
    QTest::keyClick(pList, Qt::Key_End);
    EXPECT_EQ(pList->model()->data(pList->currentIndex()).toString(), "ミクロネシア連邦");
    Type(In<QLineEdit>(pWindow, "zukanSearch"), "ぶらじる");
    EXPECT_EQ(pWindow->SelectedCodes(), std::set<std::string>{"aze"});
}

TEST_F(ZukanWindowTest, AHistoryThatIsNoFileReadsAsNeverAsked)
{
    ASSERT_EQ(::mkfifo((m_dir / kHistoryFileName).c_str(), 0600), 0);
    CZukanWindow* pWindow = Open();
    Click(pWindow, "日本");
    EXPECT_EQ(Fact(pWindow, "出題回数"), "未出題");
}

// At twice the scale a flag is painted pixel for pixel from the larger picture, decoded at the
// painter's ratio: never a 1x picture, nor the small bitmap, blown up.
TEST_F(ZukanWindowTest, AtTwiceTheScaleAFlagIsPaintedAtFullResolution)
{
    CZukanWindow* pWindow = Open();
    auto* pList = In<QListView>(pWindow, "zukanList");
    const auto* pDelegate = static_cast<const CFlagDelegate*>(pList->itemDelegate());
    QStyleOptionViewItem option;
    option.initFrom(pList->viewport());
    option.widget = pList;
    option.font = pList->font();
    option.rect = QRect(QPoint(0, 0), pDelegate->CellSize());
    for (const auto& [szName, szCode] :
         {std::pair{"日本", "jpn"}, {"アメリカ合衆国", "usa"}, {"スイス", "che"}}) {
        SCOPED_TRACE(szName);
        QImage cell(option.rect.size() * 2, QImage::Format_RGB32);
        cell.setDevicePixelRatio(2);
        cell.fill(Qt::black);
        QPainter painter(&cell);
        pDelegate->paint(&painter, option, RowOf(pWindow, szName));
        painter.end();

        // The picture at that ratio, less the edge its frame line may cover.
        const QPixmap picture = LoadFlagPicture(szCode, pDelegate->FlagBox(), 2);
        const QImage inner = picture.toImage()
                                 .convertToFormat(QImage::Format_RGB32)
                                 .copy(picture.rect().adjusted(2, 2, -2, -2));
        bool bFound = false;
        for (int y = 0; !bFound && y + inner.height() <= cell.height(); ++y)
            for (int x = 0; !bFound && x + inner.width() <= cell.width(); ++x)
                bFound = cell.copy(x, y, inner.width(), inner.height()) == inner;
        EXPECT_TRUE(bFound);
    }
}

// At its least size, as on a 2x screen, the chosen country's facts show whole: the map gives up
// height for them, down to its least; only then do they scroll.
TEST_F(ZukanWindowTest, FactsShowWholeAtTheLeastSize)
{
    CZukanWindow* pWindow = Open();
    ASSERT_NE(pWindow, nullptr);
    const CDialogUnits du(pWindow->font());
    pWindow->resize(du.Size(440, 280)); // as PlaceBeside's least
    auto* pList = In<QListView>(pWindow, "zukanList");
    auto* pScroll = In<CFactsPanel>(pWindow, "zukanFacts")->parentWidget()->parentWidget();
    const QScrollBar* pBar = static_cast<QAbstractScrollArea*>(pScroll)->verticalScrollBar();
    const auto* pMap = In<QWidget>(pWindow, "zukanMap");
    int nWhole = 0;
    for (int nRow = 0; nRow < pList->model()->rowCount(); ++nRow) {
        pList->setCurrentIndex(pList->model()->index(nRow, 0));
        QCoreApplication::processEvents();
        const bool bWhole = pBar->maximum() == 0;
        nWhole += bWhole;
        if (!bWhole)
            EXPECT_EQ(pMap->height(), du.Y(40)) << nRow;
        if (pList->currentIndex().data().toString() == QStringLiteral("日本"))
            EXPECT_TRUE(bWhole);
    }
    EXPECT_GT(nWhole, 0);
}
