#include "about/CAboutDlg.h"
#include "editor/CEditDlg.h"
#include "map/CPositionMapView.h"
#include "platform/MessageBox.h"
#include "platform/ProfileStore.h"
#include "platform/Sound.h"
#include "quiz/CColorStatic.h"
#include "quiz/CJudgeDlg.h"
#include "quiz/CQuizDlg.h"
#include "quiz/QuestionRecord.h"
#include "settings/CSettingDlg.h"

#include "QtTestSupport.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTimer>
#include <QtGui/private/qguiapplication_p.h>
#include <gtest/gtest.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <algorithm>
#include <ostream>

// Readable failures: texts as text, not as code units.
void PrintTo(const QString& text, std::ostream* pOut)
{
    *pOut << '"' << text.toStdString() << '"';
}

namespace {

// What was announced, read when it was: the object may be gone by the time a test looks.
struct Announcement
{
    QObject* pObject; // compared, never followed
    QAccessible::Event type;
    QAccessible::Role role;
    QString strName;
    QString strDescription;
};

std::vector<Announcement>& Announcements()
{
    static std::vector<Announcement> events;
    return events;
}

void Record(QAccessibleEvent* pEvent)
{
    QAccessibleInterface* pIface = pEvent->accessibleInterface();
    if (!pIface)
        return;
    Announcements().push_back({pEvent->object(), pEvent->type(), pIface->role(),
                               pIface->text(QAccessible::Name),
                               pIface->text(QAccessible::Description)});
}

bool Announced(QObject* pObject, QAccessible::Event type)
{
    for (const Announcement& a : Announcements())
        if (a.pObject == pObject && a.type == type)
            return true;
    return false;
}

QString Name(QObject* pObject)
{
    return QAccessible::queryAccessibleInterface(pObject)->text(QAccessible::Name);
}

// Every name, value and description a screen reader reaches from the window down.
void Reachable(QAccessibleInterface* pIface, QStringList& texts)
{
    for (QAccessible::Text t : {QAccessible::Name, QAccessible::Value, QAccessible::Description})
        texts << pIface->text(t);
    for (int i = 0; i < pIface->childCount(); ++i)
        if (QAccessibleInterface* pChild = pIface->child(i))
            Reachable(pChild, texts);
}

// Every text the window shows a sighted user.
QStringList Shown(QWidget* pWindow)
{
    QStringList texts{pWindow->windowTitle()};
    for (QWidget* p : pWindow->findChildren<QWidget*>()) {
        if (!p->isVisibleTo(pWindow))
            continue;
        if (auto* pLabel = qobject_cast<QLabel*>(p))
            texts << pLabel->text();
        else if (auto* pEdit = qobject_cast<QLineEdit*>(p))
            texts << pEdit->text();
        else if (auto* pButton = qobject_cast<QAbstractButton*>(p))
            texts << pButton->text().remove(u'&');
        else if (auto* pGroup = qobject_cast<QGroupBox*>(p))
            texts << pGroup->title();
        else if (auto* pCombo = qobject_cast<QComboBox*>(p))
            texts << pCombo->currentText();
        else if (auto* pList = qobject_cast<QListWidget*>(p); pList && pList->currentItem())
            texts << pList->currentItem()->text();
    }
    texts.removeAll(QString());
    return texts;
}

// The shown texts no screen reader can reach, each after the window's title. A text counts as
// reached as a whole name or value, or after the name it is shown under ("正解率 50.0%").
QStringList Hidden(QWidget* pWindow)
{
    QStringList reachable;
    Reachable(QAccessible::queryAccessibleInterface(pWindow), reachable);
    QStringList hidden;
    for (const QString& strShown : Shown(pWindow)) {
        const QString s = strShown.trimmed();
        if (std::none_of(reachable.begin(), reachable.end(), [&](const QString& r) {
                return r.trimmed() == s || r.endsWith(u' ' + s);
            }))
            hidden << pWindow->windowTitle() + ": " + strShown;
    }
    return hidden;
}

class AccessibilityTest : public ::testing::Test
{
  protected:
    AccessibilityTest()
    {
        WriteFileBytes(m_dir / "sample0524.txt", JapanQuestions(5));
        m_store.WriteProfileInt("TIME_LIMIT", "1", 60);
        m_store.WriteProfileInt("LIFE", "1", 3);
        m_store.WriteProfileInt("SEQ", "1", 1);
        SetSoundHandler([](int) {});
        // No screen reader runs offscreen; switch the platform's side on as one would.
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        m_oldHandler = QAccessible::installUpdateHandler(Record);
        Announcements().clear();
        // Popups and message boxes opened by a round: note what they hide, close the boxes.
        m_modalWatch.setInterval(0);
        QObject::connect(&m_modalWatch, &QTimer::timeout, [this] {
            QWidget* pModal = QApplication::activeModalWidget();
            if (!pModal || pModal->property("watched").toBool())
                return;
            pModal->setProperty("watched", true);
            m_hidden << Hidden(pModal);
            m_modalTitles << pModal->windowTitle();
            if (auto* pBox = qobject_cast<QMessageBox*>(pModal))
                pBox->done(QMessageBox::Ok);
        });
        m_modalWatch.start();
    }
    ~AccessibilityTest() override
    {
        QAccessible::installUpdateHandler(m_oldHandler);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
        SetSoundHandler({});
    }

    QPushButton* Button(int n) { return m_dlg.findChild<QPushButton*>(QString("answer%1").arg(n)); }
    void Answer(bool bRight)
    {
        const int nRight = m_dlg.Round().m_nCorrectNo;
        Button(bRight ? nRight : nRight % 4 + 1)->click();
    }

    PlayFolder m_dir;
    ProfileStore& m_store = m_dir.Store();
    CQuizDlg m_dlg{m_store, nullptr, QuizTiming{5, 1}};
    QTimer m_modalWatch;
    QStringList m_hidden;
    QStringList m_modalTitles;
    QAccessible::UpdateHandler m_oldHandler = nullptr;
};

} // namespace

TEST_F(AccessibilityTest, EveryShownTextIsReachable)
{
    m_store.WriteProfileInt("QUESTION_CNT", "1", 3);
    m_dlg.show();
    m_dlg.OnButtonStart();
    Answer(false);
    Answer(true);
    m_hidden << Hidden(&m_dlg);
    Answer(true); // the last question: the round ends with its message

    m_store.WriteProfileInt("TIME_LIMIT", "1", 10);
    m_store.WriteProfileInt("LIFE", "1", 5);
    CSettingDlg settings(m_store);
    CEditDlg editor(m_store);
    auto* pNumber = editor.findChild<QComboBox*>("questionNo");
    pNumber->setCurrentIndex(1);
    emit pNumber->activated(1);
    CAboutDlg about;
    for (QWidget* pWindow : std::initializer_list<QWidget*>{&settings, &editor, &about}) {
        pWindow->show();
        m_hidden << Hidden(pWindow);
    }
    EXPECT_EQ(m_hidden, QStringList());
    EXPECT_EQ(m_modalTitles.count("正誤判定"), 3);
    EXPECT_EQ(m_modalTitles.size(), 4); // and the end message
}

TEST_F(AccessibilityTest, ValuesAreInTheNamesAndChangesAreAnnounced)
{
    m_store.WriteProfileInt("QUESTION_CNT", "1", 5);
    m_dlg.show();
    auto* pRate = m_dlg.findChild<QLabel*>("rate");
    EXPECT_EQ(Name(pRate), "正解率");
    m_dlg.OnButtonStart();
    Answer(true);
    Answer(false);
    Answer(false);
    EXPECT_EQ(Name(pRate), "正解率 " + pRate->text().trimmed());
    EXPECT_TRUE(pRate->text().contains("33.3")); // the value is what the name carries
    EXPECT_TRUE(Announced(pRate, QAccessible::NameChanged));

    int nAlerts = 0;
    for (const Announcement& a : Announcements())
        if (a.type == QAccessible::Alert && a.strName == "正誤判定") {
            ++nAlerts;
            EXPECT_EQ(a.role, QAccessible::AlertMessage);
            EXPECT_TRUE(
                a.strDescription.contains(QRegularExpression("^(正解|誤り) 正解は[1-4]番$")))
                << a.strDescription.toStdString();
        }
    EXPECT_EQ(nAlerts, 3);

    // The flag names no country, however the question reads.
    auto* pFlag = QAccessible::queryAccessibleInterface(m_dlg.findChild<QLabel*>("flag"));
    for (const char* szAnswer : {"jpn", "日本", "中国", "韓国", "タイ"})
        for (QAccessible::Text t : {QAccessible::Name, QAccessible::Description})
            EXPECT_FALSE(pFlag->text(t).contains(QString::fromUtf8(szAnswer))) << szAnswer;

    MessageBoxCapture boxes(IDYES);
    CSettingDlg settings(m_store);
    settings.show();
    auto* pTime = settings.findChild<QLabel*>("textTime");
    auto* pFile = settings.findChild<QListWidget*>("list");
    EXPECT_EQ(Name(pTime), "制限時間の設定値 60秒");
    EXPECT_EQ(Name(pFile), "問題ファイル名 sample0524.txt");
    EXPECT_EQ(Name(settings.findChild<QLabel*>("textLife")), "許容誤答数の設定値 3回");
    EXPECT_EQ(Name(settings.findChild<QLabel*>("textCount")), "出題数の設定値 5問");
    Announcements().clear();
    settings.findChild<QSlider*>("sliderTime")->setValue(12);
    settings.OnSave();
    EXPECT_EQ(Name(pTime), "制限時間の設定値 12秒");
    EXPECT_TRUE(Announced(pTime, QAccessible::NameChanged));
    EXPECT_FALSE(Announced(settings.findChild<QLabel*>("textLife"), QAccessible::NameChanged));
}

TEST_F(AccessibilityTest, LampNamesFollowTheirColour)
{
    m_store.WriteProfileInt("QUESTION_CNT", "1", 5);
    CColorStatic* lamps[3];
    for (int i = 0; i < 3; ++i)
        lamps[i] = m_dlg.findChild<CColorStatic*>(QString("lamp%1").arg(i + 1));
    auto states = [&] {
        QStringList names;
        for (CColorStatic* pLamp : lamps)
            names << Name(pLamp);
        return names;
    };
    // Red is lit, white is used; before the first round neither.
    auto byColour = [&] {
        QStringList names;
        for (int i = 0; i < 3; ++i)
            names << QString("誤答ランプ%1 %2")
                         .arg(i + 1)
                         .arg(lamps[i]->Color() == QColor(Qt::red) ? "点灯" : "使用済み");
        return names;
    };
    EXPECT_EQ(states(), (QStringList{"誤答ランプ1 消灯", "誤答ランプ2 消灯", "誤答ランプ3 消灯"}));
    m_dlg.show();
    m_dlg.OnButtonStart();
    EXPECT_EQ(states(), byColour());
    for (int nWrong = 1; nWrong <= 3; ++nWrong) {
        Announcements().clear();
        Answer(false);
        EXPECT_EQ(states(), byColour()) << nWrong;
        EXPECT_TRUE(Announced(lamps[3 - nWrong], QAccessible::NameChanged)) << nWrong;
    }
    EXPECT_EQ(states().filter("使用済み").size(), 3);
}

TEST_F(AccessibilityTest, KeysOneToFourAnswerDuringARoundOnly)
{
    MessageBoxCapture boxes;
    m_store.WriteProfileInt("LIFE", "1", 99);
    m_store.WriteProfileInt("QUESTION_CNT", "1", 99);
    // A round asks at most what its file holds: more records than the keys below answer.
    std::string bytes;
    for (int i = 0; i < 10; ++i)
        bytes += ComposeRecord("jpn" + Sjis("この国旗の国はどこ?"),
                               {Sjis("日本"), Sjis("中国"), Sjis("韓国"), Sjis("タイ")}, 0);
    WriteFileBytes(m_dir / "sample0524.txt", bytes);
    auto* pFocus = m_dlg.findChild<QLineEdit*>("question");
    auto press = [&](int nKey, Qt::KeyboardModifiers mods, bool bRepeat = false) {
        QKeyEvent event(QEvent::KeyPress, nKey, mods, QString(), bRepeat);
        QApplication::sendEvent(pFocus, &event);
    };
    m_dlg.show();
    for (int nKey = Qt::Key_1; nKey <= Qt::Key_4; ++nKey)
        press(nKey, Qt::NoModifier);
    EXPECT_EQ(m_dlg.Round().m_nAnswered, 0); // no round yet
    EXPECT_TRUE(m_modalTitles.isEmpty());

    m_dlg.OnButtonStart();
    const struct
    {
        int nKey;
        Qt::KeyboardModifiers mods;
        bool bRepeat;
        int nAnswer; // 0: the key answers nothing
    } cases[] = {
        {Qt::Key_1, Qt::NoModifier, false, 1},      {Qt::Key_2, Qt::NoModifier, false, 2},
        {Qt::Key_3, Qt::NoModifier, false, 3},      {Qt::Key_4, Qt::NoModifier, false, 4},
        {Qt::Key_1, Qt::KeypadModifier, false, 1},  {Qt::Key_4, Qt::KeypadModifier, false, 4},
        {Qt::Key_2, Qt::ControlModifier, false, 0}, {Qt::Key_3, Qt::AltModifier, false, 0},
        {Qt::Key_5, Qt::NoModifier, false, 0},      {Qt::Key_1, Qt::NoModifier, true, 0},
    };
    for (const auto& c : cases) {
        const int nRight = m_dlg.Round().m_nCorrectNo;
        const int nAnswered = m_dlg.Round().m_nAnswered;
        const int nCorrect = m_dlg.Round().m_nCorrect;
        press(c.nKey, c.mods, c.bRepeat);
        const std::string strCase = std::to_string(c.nKey) + "/" + std::to_string(c.mods.toInt());
        EXPECT_EQ(m_dlg.Round().m_nAnswered, nAnswered + (c.nAnswer ? 1 : 0)) << strCase;
        EXPECT_EQ(m_dlg.Round().m_nCorrect, nCorrect + (c.nAnswer == nRight ? 1 : 0)) << strCase;
    }
    EXPECT_EQ(Button(1)->text(), "1");

    m_dlg.OnButtonStop();
    const int nAnswered = m_dlg.Round().m_nAnswered;
    press(Qt::Key_2, Qt::KeypadModifier);
    EXPECT_EQ(m_dlg.Round().m_nAnswered, nAnswered);
}

// The four flags are answers 1-4 in the tree, pressable, and neither name nor description gives
// the country away; the switch of the answer area is announced, and so is the way back.
TEST_F(AccessibilityTest, FlagAnswersAreNamedByPlaceAndTheSwitchIsAnnounced)
{
    WriteFileBytes(
        m_dir / "sample0524.txt",
        ComposeRecord("bra" + Sjis("ブラジルの国旗はどれ？"), {"bra", "prt", "arg", "col"}, 0) +
            ComposeRecord("jpn" + Sjis("この国旗の国はどこ?"),
                          {Sjis("日本"), Sjis("中国"), Sjis("韓国"), Sjis("タイ")}, 0));
    m_store.WriteProfileInt("SEQ", "1", 0);
    m_dlg.show();
    m_dlg.OnButtonStart();
    QGroupBox* pGroup = nullptr;
    for (QGroupBox* p : m_dlg.findChildren<QGroupBox*>())
        if (p->title() == "*解答群")
            pGroup = p;
    ASSERT_NE(pGroup, nullptr);
    EXPECT_TRUE(Announced(pGroup, QAccessible::DescriptionChanged));

    QStringList texts;
    Reachable(QAccessible::queryAccessibleInterface(&m_dlg), texts);
    for (int n = 1; n <= 4; ++n) {
        auto* pFlag = m_dlg.findChild<QAbstractButton*>(QString("answerFlag%1").arg(n));
        QAccessibleInterface* pIface = QAccessible::queryAccessibleInterface(pFlag);
        EXPECT_EQ(pIface->role(), QAccessible::Button);
        EXPECT_FALSE(pIface->state().invisible);
        EXPECT_EQ(pIface->text(QAccessible::Name), QString("解答%1 国旗").arg(n));
        EXPECT_TRUE(texts.contains(pIface->text(QAccessible::Name)));
    }
    for (const QString& text : texts)
        for (const char* szGiveaway :
             {"bra", "prt", "arg", "col", "ポルトガル", "アルゼンチン", "コロンビア"})
            EXPECT_FALSE(text.contains(QString::fromUtf8(szGiveaway))) << text.toStdString();
    EXPECT_EQ(Hidden(&m_dlg), QStringList());

    Announcements().clear();
    Answer(true); // the text question after it
    EXPECT_TRUE(Announced(pGroup, QAccessible::DescriptionChanged));
}

// A position question's candidates are answers 1-4 in the tree, named by number only; no text a
// screen reader reaches names a candidate before the verdict.
TEST_F(AccessibilityTest, PositionCandidatesAreNamedByNumberOnly)
{
    WriteFileBytes(m_dir / "sample0524.txt", ComposeRecord("lao" + Sjis("この国旗の国はどこ？"),
                                                           {"@khm", "@tha", "@vnm", "@lao"}, 3));
    m_dlg.SetPositionAnswers(new CPositionMapView(&m_dlg));
    m_dlg.show();
    m_dlg.OnButtonStart();
    QStringList texts;
    Reachable(QAccessible::queryAccessibleInterface(&m_dlg), texts);
    for (int n = 1; n <= 4; ++n) {
        auto* pNumber = m_dlg.findChild<QAbstractButton*>(QString("positionNumber%1").arg(n));
        ASSERT_NE(pNumber, nullptr);
        QAccessibleInterface* pIface = QAccessible::queryAccessibleInterface(pNumber);
        EXPECT_EQ(pIface->role(), QAccessible::Button);
        EXPECT_FALSE(pIface->state().invisible);
        EXPECT_TRUE(texts.contains(QString("解答%1 地図の候補").arg(n)));
    }
    for (const QString& text : texts)
        for (const char* szGiveaway :
             {"khm", "tha", "vnm", "lao", "カンボジア", "タイ", "ベトナム", "ラオス"})
            EXPECT_FALSE(text.contains(QString::fromUtf8(szGiveaway))) << text.toStdString();
    EXPECT_EQ(Hidden(&m_dlg), QStringList());
}
