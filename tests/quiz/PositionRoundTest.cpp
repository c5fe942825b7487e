#include "app/MainWindow.h"
#include "learning/AnswerHistory.h"
#include "map/CPositionMapView.h"
#include "map/WorldMapData.h"
#include "platform/MessageBox.h"
#include "platform/ProfileStore.h"
#include "platform/Sound.h"
#include "quiz/CJudgeDlg.h"
#include "quiz/CQuizDlg.h"
#include "quiz/QuestionRecord.h"

#include "TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>

namespace {

std::string Position(const char* szCode, const char* szClue,
                     const std::array<const char*, 4>& codes, int nCorrect)
{
    std::array<std::string, 4> answers;
    for (std::size_t i = 0; i < 4; ++i)
        answers[i] = std::string("@") + codes[i];
    return ComposeRecord(szCode + Sjis(szClue), answers, nCorrect);
}

// Every kind in one file: a text question, a flag choice, a position by name and one by flag.
std::string MixedFile()
{
    return ComposeRecord("jpn" + Sjis("この国の首都はどこ？"),
                         {Sjis("東京"), Sjis("パリ"), Sjis("ロンドン"), Sjis("ベルン")}, 0) +
           ComposeRecord("bra" + Sjis("ブラジルの国旗はどれ？"), {"bra", "prt", "arg", "col"}, 0) +
           Position("tcd", "チャドはどこ？", {"ner", "tcd", "sdn", "lby"}, 1) +
           Position("lao", "この国旗の国はどこ？", {"khm", "tha", "vnm", "lao"}, 3);
}

class PositionRoundTest : public ::testing::Test
{
  protected:
    PositionRoundTest() : m_cd(m_dir.Path())
    {
        WriteFileBytes(m_dir / "sample0524.txt", MixedFile() + MixedFile());
        m_store.WriteProfileInt("TIME_LIMIT", "1", 60);
        m_store.WriteProfileInt("QUESTION_CNT", "1", 8);
        m_store.WriteProfileInt("LIFE", "1", 5);
        SetMessageBoxHandler([](const QString&, unsigned) { return IDOK; });
        SetSoundHandler([](int) {});
        // What each verdict popup shows, and the map's description while it is open.
        m_watch.setInterval(0);
        QObject::connect(&m_watch, &QTimer::timeout, [this] {
            for (QWidget* pWidget : QApplication::topLevelWidgets())
                if (auto* pJudge = dynamic_cast<CJudgeDlg*>(pWidget);
                    pJudge && pJudge->isVisible()) {
                    if (!m_bSeen)
                        m_popups.push_back(pJudge->findChild<QLabel*>("verdict")->text() + "/" +
                                           pJudge->findChild<QLabel*>("correct")->text() + "/" +
                                           Map()->accessibleDescription());
                    m_bSeen = true;
                    return;
                }
            m_bSeen = false;
        });
        m_watch.start();
    }
    ~PositionRoundTest() override
    {
        SetMessageBoxHandler({});
        SetSoundHandler({});
    }

    CPositionMapView* Map() { return m_dlg.findChild<CPositionMapView*>("positionMap"); }
    QString Question() { return m_dlg.findChild<QLineEdit*>("question")->text().trimmed(); }
    QString Last() { return m_popups.isEmpty() ? QString() : m_popups.back(); }
    void Click(const QString& name)
    {
        QTest::mouseClick(m_dlg.findChild<QPushButton*>(name), Qt::LeftButton);
    }
    // Answers a text or flag question right by its button.
    void AnswerByButton() { Click(QString("answer%1").arg(m_dlg.Round().m_nCorrectNo)); }
    // A point of the map widget where the choice lands on candidate n (0-3), off its number.
    QPoint LandOf(int n)
    {
        const ChoiceFrame& frame = Map()->Choice();
        const QPoint number = Map()->ToWidget(frame.candidates[std::size_t(n)].ptNumber).toPoint();
        for (int y = 0; y < Map()->height(); y += 2)
            for (int x = 0; x < Map()->width(); x += 2)
                if (std::hypot(x - number.x(), y - number.y()) > kNumberRadiusPx + 2 &&
                    CandidateAt(WorldMapOf(), frame, Map()->ToMap(QPointF(x, y))) == n)
                    return {x, y};
        return number;
    }
    QPoint Nowhere()
    {
        // Not (0, 0): QTest clicks a widget's centre for a null point.
        for (int y = 1; y < Map()->height(); y += 2)
            for (int x = 1; x < Map()->width(); x += 2)
                if (CandidateAt(WorldMapOf(), Map()->Choice(), Map()->ToMap(QPointF(x, y))) < 0 &&
                    !Map()->childAt(x, y))
                    return {x, y};
        return {};
    }
    static const WorldMap& WorldMapOf() { return WorldMapData(); }

    TempDir m_dir;
    ScopedCurrentDir m_cd;
    ProfileStore m_store{m_dir / "Parameter.INI"};
    std::unique_ptr<CQuizDlg> m_pDlg = CreateMainWindow(m_store, QuizTiming{5, 1});
    CQuizDlg& m_dlg = *m_pDlg;
    QTimer m_watch;
    bool m_bSeen = false;
    QStringList m_popups;
};

} // namespace

// Choosing: each kind in turn, the position questions by a click on the land, a number on the
// map, a key and a button; a click elsewhere does nothing. The candidates are named by number
// only until the verdict names the country.
TEST_F(PositionRoundTest, ChoosingRoundPlaysEveryKindByMouseNumbersKeysAndButtons)
{
    m_dlg.show();
    QApplication::setActiveWindow(&m_dlg);
    Click("start");
    int nPosition = 0;
    for (int nQuestion = 0; nQuestion < 8; ++nQuestion) {
        const std::size_t nBefore = m_popups.size();
        m_bSeen = false; // the last popup has closed
        if (!Question().endsWith("どこ？") || Question().contains("首都")) {
            EXPECT_FALSE(Map()->isVisible());
            AnswerByButton();
        } else {
            ASSERT_TRUE(Map()->isVisible()) << Question().toStdString();
            EXPECT_FALSE(Map()->IsPointing());
            EXPECT_EQ(Map()->size(), QSize(499, 143)); // as the walk of every country assumes
            const int nRight = m_dlg.Round().m_nCorrectNo;
            const std::string asked = Question().startsWith("チャド") ? "tcd" : "lao";
            EXPECT_EQ(Map()->Choice().candidates[std::size_t(nRight - 1)].pCountry->strCode, asked);
            auto* pNumber =
                Map()->findChild<QAbstractButton*>(QString("positionNumber%1").arg(nRight));
            ASSERT_TRUE(pNumber && pNumber->isVisible());
            EXPECT_EQ(pNumber->accessibleName(), QString("解答%1 地図の候補").arg(nRight));
            EXPECT_FALSE(Map()->accessibleName().contains("チャド"));
            if (nPosition == 0) {
                QTest::mouseClick(Map(), Qt::LeftButton, {}, Nowhere());
                EXPECT_EQ(m_popups.size(), nBefore) << "a click off the candidates";
            }
            switch (nPosition++ % 4) {
            case 0:
                QTest::mouseClick(Map(), Qt::LeftButton, {}, LandOf(nRight - 1));
                break;
            case 1:
                QTest::mouseClick(pNumber, Qt::LeftButton);
                break;
            case 2:
                QTest::keyClick(&m_dlg, static_cast<Qt::Key>(Qt::Key_0 + nRight));
                break;
            default:
                AnswerByButton();
            }
            EXPECT_EQ(Last(), QString("正解/正解は%1番/正解の国: %2")
                                  .arg(nRight)
                                  .arg(asked == "tcd" ? "チャド 首都 ンジャメナ"
                                                      : "ラオス 首都 ビエンチャン"));
        }
        ASSERT_EQ(m_popups.size(), nBefore + 1) << nQuestion;
    }
    EXPECT_EQ(nPosition, 4);
    EXPECT_EQ(m_dlg.findChild<QLabel*>("rate")->text(), "100.0%");
}

// Pointing: a click on the asked country, a click on its neighbour that names it, the arrow keys
// and Enter; keys 1-4 do nothing; a drag pans without answering. The history keeps what was hit,
// marked as a position answer.
TEST_F(PositionRoundTest, PointingRoundPlaysByClickAndArrowKeysAndRecordsWhatWasHit)
{
    m_store.WriteProfileStringA("INPUT", "SW", "1");
    m_dlg.show();
    QApplication::setActiveWindow(&m_dlg);
    Click("start");
    int nPosition = 0;
    std::vector<std::string> hits;
    for (int nQuestion = 0; nQuestion < 8; ++nQuestion) {
        const std::size_t nBefore = m_popups.size();
        m_bSeen = false; // the last popup has closed
        if (Question().contains("首都")) {
            auto* pField = m_dlg.findChild<QLineEdit*>("answerInput");
            QInputMethodEvent commit; // as an input method hands over what was composed
            commit.setCommitString(QStringLiteral("とうきょう"));
            QApplication::sendEvent(pField, &commit);
            QTest::keyClick(pField, Qt::Key_Return);
        } else if (!Question().endsWith("どこ？")) {
            AnswerByButton(); // a flag choice stays chosen
        } else {
            ASSERT_TRUE(Map()->isVisible() && Map()->IsPointing());
            EXPECT_EQ(m_dlg.focusWidget(), Map());
            for (int n = 1; n <= 4; ++n)
                EXPECT_FALSE(Map()
                                 ->findChild<QAbstractButton*>(QString("positionNumber%1").arg(n))
                                 ->isVisible());
            const std::string asked = Question().startsWith("チャド") ? "tcd" : "lao";
            const std::string neighbour = asked == "tcd" ? "ner" : "tha";
            QTest::keyClick(Map(), Qt::Key_2);
            EXPECT_EQ(m_popups.size(), nBefore) << "keys 1-4 answer no pointed question";
            const MapRect before = Map()->View().rcView;
            QTest::mousePress(Map(), Qt::LeftButton, {}, QPoint(140, 70));
            QTest::mouseMove(Map(), QPoint(100, 40));
            QTest::mouseRelease(Map(), Qt::LeftButton, {}, QPoint(100, 40));
            EXPECT_NE(Map()->View().rcView.top, before.top) << "a drag pans";
            EXPECT_EQ(m_popups.size(), nBefore) << "a drag answers nothing";
            const auto at = [&](const std::string& code) {
                return Map()
                    ->ToWidget(InteriorPoint(WorldMapOf(), *WorldMapOf().Find(code)))
                    .toPoint();
            };
            switch (nPosition++) {
            case 0:
                QTest::mouseClick(Map(), Qt::LeftButton, {}, at(asked));
                hits.push_back("@" + asked);
                EXPECT_TRUE(Last().startsWith("正解/正解は チャド")) << Last().toStdString();
                break;
            case 1:
                QTest::mouseClick(Map(), Qt::LeftButton, {}, at(neighbour));
                hits.push_back("@" + neighbour);
                EXPECT_TRUE(Last().startsWith("誤り（タイ）/正解は ラオス"))
                    << Last().toStdString();
                break;
            default:
                // Toward the asked country, one key at a time; the selection is never named.
                for (int nStep = 0; nStep < 12 && Map()->SelectedCode() != asked; ++nStep) {
                    const MapCountry* pSelected = WorldMapOf().Find(Map()->SelectedCode());
                    const QPoint from =
                        pSelected ? at(Map()->SelectedCode()) : Map()->rect().center();
                    const QPoint d = at(asked) - from;
                    QTest::keyClick(Map(), std::abs(d.x()) > std::abs(d.y())
                                               ? (d.x() > 0 ? Qt::Key_Right : Qt::Key_Left)
                                               : (d.y() > 0 ? Qt::Key_Down : Qt::Key_Up));
                    EXPECT_FALSE(Map()->accessibleName().contains("チャド") ||
                                 Map()->accessibleName().contains("ラオス"));
                }
                ASSERT_EQ(Map()->SelectedCode(), asked);
                QTest::keyClick(Map(), Qt::Key_Return);
                hits.push_back("@" + asked);
                EXPECT_TRUE(Last().startsWith("正解/")) << Last().toStdString();
            }
        }
        ASSERT_EQ(m_popups.size(), nBefore + 1) << nQuestion;
    }
    const HistoryLog log = ReadHistory(m_dir / kHistoryFileName);
    ASSERT_EQ(log.rows.size(), 8u);
    std::vector<std::string> recorded;
    for (const HistoryRow& row : log.rows)
        if (row.strCode == "tcd" || row.strCode == "lao")
            recorded.emplace_back(row.strTyped);
    EXPECT_EQ(recorded, hits);
    EXPECT_EQ(m_dlg.findChild<QLabel*>("rate")->text(), "87.5%");
}
