#include "about/CAboutDlg.h"
#include "app/MainWindow.h"
#include "learning/AnswerHistory.h"
#include "platform/MessageBox.h"
#include "platform/ProfileStore.h"
#include "platform/Sound.h"
#include "quiz/CBitmap.h"
#include "quiz/CColorStatic.h"
#include "quiz/CFlagButton.h"
#include "quiz/CJudgeDlg.h"
#include "quiz/CQuizDlg.h"
#include "quiz/QuestionRecord.h"

#include "QtTestSupport.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class QuizDlgTest : public ::testing::Test
{
  protected:
    QuizDlgTest()
    {
        WriteFileBytes(m_dir / "sample0524.txt", JapanQuestions(5));
        SetSoundHandler([this](int nId) { m_sounds.push_back(nId); });
        // A popup opened by the round: note what it shows; it closes itself on its short timer.
        m_judgeWatch.setInterval(0);
        QObject::connect(&m_judgeWatch, &QTimer::timeout, [this] {
            for (QWidget* pWidget : QApplication::topLevelWidgets())
                if (auto* pJudge = dynamic_cast<CJudgeDlg*>(pWidget);
                    pJudge && pJudge->isVisible()) {
                    const QString text = pJudge->findChild<QLabel*>("verdict")->text() + "/" +
                                         pJudge->findChild<QLabel*>("correct")->text();
                    if (m_popups.isEmpty() || m_popups.back() != text || !m_bSeen) {
                        m_popups.push_back(text);
                        m_bMainEnabledDuringPopup = m_dlg.isActiveWindow();
                    }
                    m_bSeen = true;
                    return;
                }
            m_bSeen = false;
        });
        m_judgeWatch.start();
    }
    ~QuizDlgTest() override { SetSoundHandler({}); }

    QPushButton* Button(const char* szName) { return m_dlg.findChild<QPushButton*>(szName); }
    void Click(const char* szName) { QTest::mouseClick(Button(szName), Qt::LeftButton); }
    // Writes each setting's "1" entry, shows the window and presses 開始.
    void Start(std::initializer_list<std::pair<const char*, int>> settings)
    {
        for (const auto& [szSection, nValue] : settings)
            m_store.WriteProfileInt(szSection, "1", nValue);
        m_dlg.show();
        Click("start");
    }

    PlayFolder m_dir;
    ProfileStore& m_store = m_dir.Store();
    MessageBoxCapture m_boxes;
    std::unique_ptr<CQuizDlg> m_pDlg = CreateMainWindow(m_store, QuizTiming{5, 1});
    CQuizDlg& m_dlg = *m_pDlg;
    QTimer m_judgeWatch;
    bool m_bSeen = false;
    bool m_bMainEnabledDuringPopup = true;
    QStringList m_popups;
    std::vector<int> m_sounds;
};

} // namespace

TEST_F(QuizDlgTest, BeforeTheFirstRoundOnlyStartAnswers)
{
    m_dlg.show();
    EXPECT_TRUE(Button("start")->isEnabled());
    EXPECT_TRUE(Button("exit")->isEnabled());
    for (const char* sz : {"stop", "edit", "answer1", "answer2", "answer3", "answer4"})
        EXPECT_FALSE(Button(sz)->isEnabled()) << sz;
    auto* pLamp = m_dlg.findChild<CColorStatic*>("lamp1");
    EXPECT_EQ(pLamp->Color(), pLamp->palette().color(QPalette::Base));
    EXPECT_TRUE(m_dlg.findChild<QLineEdit*>("question")->text().isEmpty());
    for (QWidget* pWidget : m_dlg.findChildren<QWidget*>())
        if (qobject_cast<QPushButton*>(pWidget) || qobject_cast<QLineEdit*>(pWidget) ||
            qobject_cast<QProgressBar*>(pWidget) || dynamic_cast<CColorStatic*>(pWidget))
            EXPECT_FALSE(pWidget->accessibleName().isEmpty())
                << pWidget->objectName().toStdString();
}

TEST_F(QuizDlgTest, StartShowsAQuestionItsFlagAndRedLamps)
{
    Start({{"LIFE", 3}, {"TIME_LIMIT", 60}});
    EXPECT_FALSE(Button("start")->isEnabled());
    EXPECT_TRUE(Button("stop")->isEnabled());
    EXPECT_TRUE(Button("answer3")->isEnabled());
    EXPECT_EQ(m_dlg.findChild<QLineEdit*>("question")->text().trimmed(), "この国旗の国はどこ?");
    QStringList answers;
    for (int i = 1; i <= 4; ++i)
        answers << m_dlg.findChild<QLineEdit*>(QString("answerText%1").arg(i))->text().trimmed();
    answers.sort();
    EXPECT_EQ(answers, (QStringList{"タイ", "中国", "日本", "韓国"}));
    for (const char* sz : {"lamp1", "lamp2", "lamp3"})
        EXPECT_EQ(m_dlg.findChild<CColorStatic*>(sz)->Color(), QColor(Qt::red)) << sz;
    auto* pFlag = m_dlg.findChild<QLabel*>("flag");
    EXPECT_EQ(pFlag->pixmap().size(), QSize(109, 73));
    EXPECT_EQ(pFlag->size(), QSize(109, 73));
    EXPECT_FALSE(g_bmpFlag.IsEmpty());
    EXPECT_EQ(m_dlg.findChild<QProgressBar*>("timeBar")->maximum(), 60);
}

// Codes beyond the first 66 show their own flag at its own size, the fitted Qatar included.
TEST_F(QuizDlgTest, ARecordWithALaterCodeShowsItsFlag)
{
    m_store.WriteProfileInt("TIME_LIMIT", "1", 60);
    m_dlg.show();
    for (const auto& [szCode, size] :
         {std::pair{"vat", QSize(73, 73)}, {"qat", QSize(137, 63)}, {"zwe", QSize(137, 68)}}) {
        WriteFileBytes(m_dir / "sample0524.txt",
                       ComposeRecord(szCode + Sjis("この国旗の国はどこ?"),
                                     {Sjis("ア"), Sjis("イ"), Sjis("ウ"), Sjis("エ")}, 0));
        Click("start");
        EXPECT_EQ(m_dlg.findChild<QLabel*>("flag")->pixmap().size(), size) << szCode;
        Click("stop");
    }
}

TEST_F(QuizDlgTest, AnAnswerOpensThePopupThatClosesItselfAndTheLampGoesOut)
{
    Start({{"LIFE", 3}, {"TIME_LIMIT", 60}});
    const int nRight = m_dlg.Round().m_nCorrectNo;
    const int nWrong = nRight % 4 + 1;
    Click(QString("answer%1").arg(nWrong).toLatin1().constData());
    ASSERT_EQ(m_popups.size(), 1);
    EXPECT_EQ(m_popups[0], QString("誤り/正解は%1番").arg(nRight));
    EXPECT_FALSE(m_bMainEnabledDuringPopup);
    EXPECT_EQ(m_dlg.findChild<CColorStatic*>("lamp3")->Color(), QColor(Qt::white));
    EXPECT_EQ(m_sounds, (std::vector<int>{146}));

    const int nRight2 = m_dlg.Round().m_nCorrectNo;
    Click(QString("answer%1").arg(nRight2).toLatin1().constData());
    EXPECT_EQ(m_popups.back(), QString("正解/正解は%1番").arg(nRight2));
    EXPECT_EQ(m_sounds, (std::vector<int>{146, 145}));
    EXPECT_EQ(m_dlg.findChild<QLabel*>("rate")->text(), "50.0%");
}

TEST_F(QuizDlgTest, TheQuestionClockTimesOutAndTheRoundEndsWithItsMessage)
{
    Start({{"TIME_LIMIT", 2}, {"LIFE", 3}, {"QUESTION_CNT", 2}});
    QTRY_COMPARE_WITH_TIMEOUT(m_boxes.Messages().size(), size_t(1), 5000);
    EXPECT_EQ(m_boxes.Messages()[0].text, "終了!!");
    EXPECT_EQ(m_boxes.Messages()[0].nType, unsigned(MB_ICONINFORMATION));
    EXPECT_EQ(m_popups.size(), 2);
    EXPECT_TRUE(m_sounds.empty());
    EXPECT_TRUE(Button("start")->isEnabled());
    EXPECT_FALSE(Button("answer1")->isEnabled());
    EXPECT_EQ(m_dlg.findChild<QLabel*>("rate")->text(), "%");
}

TEST_F(QuizDlgTest, EnterAndEscapeDoNothing)
{
    m_dlg.show();
    QApplication::setActiveWindow(&m_dlg);
    Button("start")->setEnabled(true);
    for (QWidget* pTarget : {static_cast<QWidget*>(&m_dlg), static_cast<QWidget*>(Button("start")),
                             static_cast<QWidget*>(m_dlg.findChild<QLineEdit*>("question"))}) {
        QTest::keyClick(pTarget, Qt::Key_Return);
        QTest::keyClick(pTarget, Qt::Key_Enter);
        QTest::keyClick(pTarget, Qt::Key_Escape);
    }
    EXPECT_TRUE(m_dlg.isVisible());
    EXPECT_TRUE(Button("start")->isEnabled()); // no round was started
    EXPECT_TRUE(m_boxes.Messages().empty());

    CJudgeDlg judge(&m_dlg, 60000);
    judge.show();
    QTest::keyClick(&judge, Qt::Key_Escape);
    QTest::keyClick(&judge, Qt::Key_Return);
    EXPECT_TRUE(judge.isVisible());
    judge.close(); // its close box closes it at once
    EXPECT_FALSE(judge.isVisible());
}

TEST_F(QuizDlgTest, ThePopupWidensForALongAnswerOnly)
{
    CJudgeDlg shortOne(&m_dlg), longOne(&m_dlg);
    shortOne.SetTexts("正解", "正解は3番");
    longOne.SetTexts("誤り", "正解は セントビンセント及びグレナディーン諸島");
    const auto* pShort = shortOne.findChild<QLabel*>("correct");
    const auto* pLong = longOne.findChild<QLabel*>("correct");
    EXPECT_EQ(shortOne.width(), CJudgeDlg(&m_dlg).width());
    EXPECT_GT(pLong->contentsRect().width(), pLong->fontMetrics().horizontalAdvance(pLong->text()));
    EXPECT_LT(pLong->geometry().right(), longOne.width());
    EXPECT_EQ(longOne.findChild<QLabel*>("verdict")->width(), pLong->width());
}

// Both switches start as their entry's default and write each click; anything but 1 is off.
TEST_F(QuizDlgTest, TheSoundAndTypingSwitchesFollowTheSettingsFile)
{
    const struct
    {
        const char* szAction;
        const char* szSection;
        bool bDefault; // with no entry
    } switches[] = {{"menuSound", "SOUND", true}, {"menuInput", "INPUT", false}};
    for (const auto& s : switches) {
        SCOPED_TRACE(s.szAction);
        std::filesystem::remove(m_dir / "Parameter.INI");
        auto* pSwitch = m_dlg.findChild<QAction*>(s.szAction);
        ASSERT_TRUE(pSwitch->isCheckable());
        EXPECT_EQ(pSwitch->isChecked(), s.bDefault);
        pSwitch->trigger();
        EXPECT_EQ(pSwitch->isChecked(), !s.bDefault);
        EXPECT_EQ(m_dir.Ini(),
                  std::string("[") + s.szSection + "]\r\nSW=" + (s.bDefault ? "0" : "1") + "\r\n");
        pSwitch->trigger();
        EXPECT_EQ(pSwitch->isChecked(), s.bDefault);
        EXPECT_EQ(m_store.GetProfileStringA(s.szSection, "SW", ""), s.bDefault ? "1" : "0");
    }

    m_store.WriteProfileStringA("SOUND", "SW", "2");
    m_store.WriteProfileStringA("INPUT", "SW", "1");
    const std::unique_ptr<CQuizDlg> pOther = CreateMainWindow(m_store);
    auto* pOtherSound = pOther->findChild<QAction*>("menuSound");
    EXPECT_FALSE(pOtherSound->isChecked());
    EXPECT_TRUE(pOther->findChild<QAction*>("menuInput")->isChecked());
    pOther->PlaySoundEffect(pOther->SoundSwitch(), 1);
    EXPECT_TRUE(m_sounds.empty());
    pOtherSound->trigger();
    EXPECT_EQ(m_store.GetProfileStringA("SOUND", "SW", ""), "1");
}

TEST_F(QuizDlgTest, ExitEndsTheDialogAndReleasesTheFlag)
{
    Start({{"TIME_LIMIT", 60}});
    ASSERT_FALSE(g_bmpFlag.IsEmpty());
    QSignalSpy rejected(&m_dlg, &QDialog::rejected);
    Click("exit");
    EXPECT_EQ(rejected.count(), 1);
    EXPECT_FALSE(m_dlg.isVisible());
    EXPECT_TRUE(g_bmpFlag.IsEmpty());
    EXPECT_TRUE(m_boxes.Messages().empty()); // no end message for a round cut short
}

TEST_F(QuizDlgTest, BothAboutEntriesOpenTheSameBoxWhileTheClockRuns)
{
    Start({{"TIME_LIMIT", 60}});
    int nOpened = 0;
    bool bClockRan = false;
    // Closes the box once it is up, noting that the round's clock kept running under it.
    auto closeWhenShown = [&] {
        QTimer::singleShot(20, [&] {
            for (QWidget* pWidget : QApplication::topLevelWidgets())
                if (auto* pAbout = dynamic_cast<CAboutDlg*>(pWidget);
                    pAbout && pAbout->isVisible()) {
                    ++nOpened;
                    bClockRan = m_dlg.Round().m_nTick > 0;
                    QTest::mouseClick(pAbout->findChild<QPushButton*>("close"), Qt::LeftButton);
                }
        });
    };
    closeWhenShown();
    m_dlg.OnSysCommand(16 | 0x0003);
    EXPECT_EQ(nOpened, 1);
    EXPECT_TRUE(bClockRan);
    closeWhenShown();
    m_dlg.findChild<QAction*>("menuAbout")->trigger();
    EXPECT_EQ(nOpened, 2);
    m_dlg.OnSysCommand(32); // another window command: no box
    EXPECT_EQ(nOpened, 2);

    // The window's own menu carries the entry by its text.
    QStringList entries;
    QTimer::singleShot(0, [&] {
        if (auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (const QAction* pAction : pMenu->actions())
                entries << pAction->text();
            pMenu->close();
        }
    });
    emit m_dlg.customContextMenuRequested(QPoint(10, 10));
    EXPECT_TRUE(entries.contains("Orbelinのﾊﾞｰｼﾞｮﾝ情報(&A)...")) << entries.join('|').toStdString();
}

// A file that mixes both kinds, answered by a click on a flag, a key and a button: while the
// flag-choice question shows, four flags stand in for the text rows, the picture box is empty and
// no code is on screen; the next text question brings back the rows and its flag.
TEST_F(QuizDlgTest, AFlagChoiceQuestionShowsFourFlagsInsteadOfTheTextRowsAndAnswers)
{
    const std::string flagRecord =
        ComposeRecord("bra" + Sjis("ブラジルの国旗はどれ？"), {"bra", "prt", "arg", "col"}, 0);
    const std::string textRecord =
        ComposeRecord("jpn" + Sjis("この国旗の国はどこ?"),
                      {Sjis("日本"), Sjis("中国"), Sjis("韓国"), Sjis("タイ")}, 0);
    WriteFileBytes(m_dir / "sample0524.txt", flagRecord + textRecord + flagRecord + textRecord);
    m_store.WriteProfileInt("TIME_LIMIT", "1", 60);
    m_store.WriteProfileInt("QUESTION_CNT", "1", 4);
    m_store.WriteProfileInt("LIFE", "1", 3);
    m_dlg.show();
    auto flagButton = [this](int n) {
        return m_dlg.findChild<QAbstractButton*>(QString("answerFlag%1").arg(n));
    };
    QGroupBox* pGroup = nullptr;
    for (QGroupBox* p : m_dlg.findChildren<QGroupBox*>())
        if (p->title() == "*解答群")
            pGroup = p;
    ASSERT_NE(pGroup, nullptr);
    const QString textDescription = pGroup->accessibleDescription();
    auto* pPicture = m_dlg.findChild<QLabel*>("flag");

    for (int nQuestion = 0; nQuestion < 2; ++nQuestion) {
        if (nQuestion == 0)
            Click("start");
        EXPECT_TRUE(pPicture->pixmap().isNull());
        EXPECT_NE(pGroup->accessibleDescription(), textDescription);
        QStringList shownCodes;
        for (int n = 1; n <= 4; ++n) {
            QAbstractButton* pFlag = flagButton(n);
            EXPECT_TRUE(pFlag->isVisible() && pFlag->isEnabled());
            EXPECT_FALSE(m_dlg.findChild<QLineEdit*>(QString("answerText%1").arg(n))->isVisible());
            EXPECT_GE(pFlag->width(), 96 + 4); // the picture inside its frame
            EXPECT_EQ(pFlag->accessibleName(), QString("解答%1 国旗").arg(n));
            shownCodes << QString::fromStdString(static_cast<CFlagButton*>(pFlag)->Code());
        }
        shownCodes.sort();
        EXPECT_EQ(shownCodes, (QStringList{"arg", "bra", "col", "prt"}));
        for (QWidget* p : m_dlg.findChildren<QWidget*>()) {
            const QString texts =
                p->accessibleName() + p->accessibleDescription() +
                (qobject_cast<QLabel*>(p) ? qobject_cast<QLabel*>(p)->text() : "") +
                (qobject_cast<QLineEdit*>(p) ? qobject_cast<QLineEdit*>(p)->text() : "");
            for (const char* szCode : {"bra", "prt", "arg", "col"})
                EXPECT_FALSE(texts.contains(szCode)) << p->objectName().toStdString();
        }
        const int nRight = m_dlg.Round().m_nCorrectNo;
        EXPECT_EQ(static_cast<CFlagButton*>(flagButton(nRight))->Code(), "bra");
        if (nQuestion == 0)
            QTest::mouseClick(flagButton(nRight), Qt::LeftButton);
        else
            QTest::keyClick(&m_dlg, static_cast<Qt::Key>(Qt::Key_0 + nRight));
        EXPECT_EQ(m_popups.back(), QString("正解/正解は%1番").arg(nRight));

        // The text question after it.
        EXPECT_FALSE(pPicture->pixmap().isNull());
        EXPECT_EQ(pGroup->accessibleDescription(), textDescription);
        for (int n = 1; n <= 4; ++n) {
            EXPECT_FALSE(flagButton(n)->isVisible());
            EXPECT_TRUE(m_dlg.findChild<QLineEdit*>(QString("answerText%1").arg(n))->isVisible());
        }
        Click(QString("answer%1").arg(m_dlg.Round().m_nCorrectNo).toLatin1().constData());
    }
    EXPECT_EQ(m_dlg.findChild<QLabel*>("rate")->text(), "100.0%"); // four right of four
    // The round is over: the last flags it showed answer nothing more.
    EXPECT_FALSE(flagButton(1)->isEnabled());
}

// A mixed round in typing mode, by the keyboard: text questions typed in hiragana, half-width
// katakana and a kanji answer's reading through the input method, a flag choice by its key. Keys
// 1-4 and an empty Enter answer no text question, a wrong spelling is wrong, and the history keeps
// what was typed.
TEST_F(QuizDlgTest, ATypingRoundIsPlayedByTypingTextAndChoosingFlagsByKey)
{
    auto capital = [](const char* szCode, const char* szRight, const char* szOther) {
        return ComposeRecord(szCode + Sjis("この国の首都はどこ？"),
                             {Sjis(szRight), Sjis(szOther), Sjis("ロンドン"), Sjis("ベルン")}, 0);
    };
    WriteFileBytes(
        m_dir / "sample0524.txt",
        capital("fra", "パリ", "東京") +
            ComposeRecord("gbr" + Sjis("この国旗の国はどこ？"),
                          {Sjis("フランス"), Sjis("イギリス"), Sjis("日本"), Sjis("タイ")}, 1) +
            ComposeRecord("bra" + Sjis("ブラジルの国旗はどれ？"), {"bra", "prt", "arg", "col"}, 0) +
            capital("jpn", "東京", "パリ") + capital("fra", "パリ", "東京"));
    m_store.WriteProfileStringA("INPUT", "SW", "1");
    m_store.WriteProfileInt("TIME_LIMIT", "1", 60);
    m_store.WriteProfileInt("QUESTION_CNT", "1", 5);
    m_store.WriteProfileInt("LIFE", "1", 3);
    m_dlg.show();
    QApplication::setActiveWindow(&m_dlg);
    Click("start");
    auto* pField = m_dlg.findChild<QLineEdit*>("answerInput");
    ASSERT_NE(pField, nullptr);
    EXPECT_EQ(pField->accessibleName(), "解答入力");
    auto last = [this] { return m_popups.isEmpty() ? QString() : m_popups.back(); };
    auto type = [&](const QString& text) {
        EXPECT_TRUE(pField->isVisible() && pField->isEnabled());
        EXPECT_EQ(m_dlg.focusWidget(), pField); // the window's focus, whichever window is active
        EXPECT_TRUE(pField->text().isEmpty()) << "a new question starts with an empty field";
        QInputMethodEvent commit; // as an input method hands over what was composed
        commit.setCommitString(text);
        QApplication::sendEvent(pField, &commit);
        QTest::keyClick(pField, Qt::Key_Return);
    };

    for (const char* sz : {"answer1", "answer4"})
        EXPECT_FALSE(Button(sz)->isEnabled()) << sz;
    EXPECT_FALSE(m_dlg.findChild<QLineEdit*>("answerText1")->isVisible());
    QTest::keyClick(pField, Qt::Key_1);
    QTest::keyClick(&m_dlg, Qt::Key_2);
    EXPECT_EQ(pField->text(), "1") << "keys 1-4 write into the field";
    pField->setText(QStringLiteral("　ー "));
    QTest::keyClick(pField, Qt::Key_Return);
    EXPECT_TRUE(m_popups.isEmpty()) << "neither a key nor an empty Enter answers";
    pField->clear();

    type(QStringLiteral("ぱり"));
    EXPECT_EQ(last(), "正解/正解は パリ");
    type(QStringLiteral("ｲｷﾞﾘｽ"));
    EXPECT_EQ(last(), "正解/正解は イギリス");

    EXPECT_FALSE(pField->isVisible()); // a flag choice stays chosen
    const int nRight = m_dlg.Round().m_nCorrectNo;
    EXPECT_TRUE(Button("answer1")->isEnabled());
    QTest::keyClick(&m_dlg, static_cast<Qt::Key>(Qt::Key_0 + nRight));
    EXPECT_EQ(last(), QString("正解/正解は%1番").arg(nRight));

    type(QStringLiteral("とうきょう"));
    EXPECT_EQ(last(), "正解/正解は 東京");
    type(QStringLiteral("ろんどん"));
    EXPECT_EQ(last(), "誤り/正解は パリ");
    EXPECT_EQ(m_popups.size(), 5);
    ASSERT_EQ(m_boxes.Messages().size(), 1u);
    EXPECT_FALSE(pField->isEnabled()); // the round is over
    EXPECT_EQ(m_dlg.findChild<QLabel*>("rate")->text(), "80.0%");

    const HistoryLog log = ReadHistory(m_dir / kHistoryFileName);
    ASSERT_EQ(log.rows.size(), 5u);
    const char* typed[] = {"ぱり", "ｲｷﾞﾘｽ", "", "とうきょう", "ろんどん"};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(log.rows[i].strTyped, typed[i]) << i;
        EXPECT_EQ(log.rows[i].result == AnswerResult::Correct, i != 4) << i;
    }
}

TEST_F(QuizDlgTest, AFileCutShortDuringARoundStopsItWithoutABlankQuestion)
{
    Start({{"LIFE", 3}, {"TIME_LIMIT", 60}, {"QUESTION_CNT", 5}});
    auto* pQuestion = m_dlg.findChild<QLineEdit*>("question");
    const QString shown = pQuestion->text();
    ASSERT_FALSE(shown.trimmed().isEmpty());

    std::filesystem::resize_file(m_dir / "sample0524.txt", kRecordSize); // saved from elsewhere
    Click("answer1");
    ASSERT_EQ(m_boxes.Messages().size(), 1u);
    EXPECT_TRUE(
        m_boxes.Messages()[0].text.startsWith("ファイルオープンエラー\nsample0524.txt\n出題中に"))
        << m_boxes.Messages()[0].text.toStdString();
    EXPECT_EQ(m_boxes.Messages()[0].nType, unsigned(MB_ICONSTOP));
    EXPECT_EQ(m_popups.size(), 1); // the answer's verdict, and none after the message
    EXPECT_EQ(pQuestion->text(), shown);
    EXPECT_TRUE(Button("start")->isEnabled());
    for (const char* sz : {"stop", "answer1", "answer4"})
        EXPECT_FALSE(Button(sz)->isEnabled()) << sz;
    QTest::qWait(100); // 61 ticks of the 1 ms clock would time out a question still running
    EXPECT_EQ(m_popups.size(), 1);
    EXPECT_EQ(std::filesystem::file_size(m_dir / "sample0524.txt"), kRecordSize);
}
