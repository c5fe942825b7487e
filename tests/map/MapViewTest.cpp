#include "app/MainWindow.h"
#include "facts/Facts.h"
#include "map/CMapCommands.h"
#include "map/CMapWindow.h"
#include "map/CPositionMapView.h"
#include "map/CWorldMapView.h"
#include "map/MapLabel.h"
#include "map/PositionFrame.h"
#include "map/WorldMap.h"
#include "map/WorldMapData.h"
#include "platform/MessageBox.h"
#include "platform/ProfileStore.h"
#include "quiz/CQuizDlg.h"
#include "quiz/QuestionRecord.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QtGui/private/qguiapplication_p.h>
#include <gtest/gtest.h>

#include "QtTestSupport.h"
#include "TestSupport.h"
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <vector>

namespace {

std::vector<QString>& NamesAnnounced()
{
    static std::vector<QString> names;
    return names;
}

void Record(QAccessibleEvent* pEvent)
{
    if (pEvent->type() == QAccessible::NameChanged && pEvent->accessibleInterface())
        NamesAnnounced().push_back(pEvent->accessibleInterface()->text(QAccessible::Name));
}

// Pixels in the highlight's own colour, which nothing else on the map uses.
int HighlightPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == qRgb(0xd4, 0x1e, 0x24);
    return n;
}

class MapViewTest : public ::testing::Test
{
  protected:
    MapViewTest()
    {
        m_view.resize(400, 200);
        m_view.show();
    }

    QImage Rendered()
    {
        QImage image(m_view.size() * 2, QImage::Format_RGB32);
        image.setDevicePixelRatio(2);
        QPainter painter(&image);
        m_view.Render(painter);
        return image;
    }

    // The map point under a widget point.
    QPointF MapPointAt(QPointF pt) const
    {
        const QRectF visible = m_view.VisibleMapRect();
        return {visible.left() + pt.x() / m_view.width() * visible.width(),
                visible.top() + pt.y() / m_view.height() * visible.height()};
    }

    void Wheel(QPointF at, int nDelta)
    {
        QWheelEvent event(at, m_view.mapToGlobal(at), QPoint(), QPoint(0, nDelta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&m_view, &event);
    }

    void Drag(QPoint from, QPoint to)
    {
        QTest::mousePress(&m_view, Qt::LeftButton, Qt::NoModifier, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), m_view.mapToGlobal(QPointF(to)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&m_view, &move);
        QTest::mouseRelease(&m_view, Qt::LeftButton, Qt::NoModifier, to);
    }

    CWorldMapView m_view;
};

// Every country of the catalogue: highlighted in the picture, in view, labelled, and named for
// screen readers.
TEST_F(MapViewTest, HighlightsEveryCountryOfTheCatalogue)
{
    const WorldMap& map = WorldMapData();
    ASSERT_EQ(Facts::Countries().size(), 199u);
    for (const Facts::Country& entry : Facts::Countries()) {
        const std::string code(entry.code);
        m_view.ShowWorld();
        ASSERT_TRUE(m_view.Highlight(code)) << code;
        const QString strLabel = QString::fromStdString(MapLabelText(MapLabelFor(code)));
        EXPECT_EQ(m_view.LabelText(), strLabel) << code;
        EXPECT_EQ(m_view.accessibleName(), QStringLiteral("地図 ") + strLabel) << code;
        const MapPoint label = map.Find(code)->ptLabel;
        EXPECT_TRUE(m_view.VisibleMapRect().contains(QPointF(label.x, label.y))) << code;
        EXPECT_GT(HighlightPixels(Rendered()), 20) << code;
    }
    m_view.Clear();
    EXPECT_EQ(HighlightPixels(Rendered()), 0);
    EXPECT_EQ(m_view.accessibleName(), QStringLiteral("地図"));
    EXPECT_TRUE(m_view.LabelText().isEmpty());
}

TEST_F(MapViewTest, AnnouncesWhatItShowsOncePerChange)
{
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    const auto oldHandler = QAccessible::installUpdateHandler(Record);
    NamesAnnounced().clear();
    m_view.Highlight("jpn");
    m_view.Highlight("jpn");
    m_view.Clear();
    QAccessible::installUpdateHandler(oldHandler);
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
    EXPECT_EQ(NamesAnnounced(), (std::vector<QString>{QStringLiteral("地図 日本 首都 東京"),
                                                      QStringLiteral("地図")}));
}

TEST_F(MapViewTest, UnknownCodeHighlightsNothing)
{
    m_view.Highlight("jpn");
    EXPECT_FALSE(m_view.Highlight("zzz"));
    EXPECT_TRUE(m_view.HighlightedCode().empty());
    EXPECT_EQ(HighlightPixels(Rendered()), 0);
}

// A state shown by a ring is brought close; a large one is framed whole.
TEST_F(MapViewTest, BringsSmallStatesCloseAndFramesLargeOnes)
{
    m_view.Highlight("vat");
    EXPECT_EQ(m_view.Zoom(), CWorldMapView::kMaxFocusZoom);
    m_view.Highlight("rus");
    EXPECT_LT(m_view.Zoom(), 2.0);
    const MapRect russia = WorldMapData().FocusBounds(*WorldMapData().Find("rus"));
    EXPECT_TRUE(m_view.VisibleMapRect().contains(
        QRectF(QPointF(russia.left, russia.top), QPointF(russia.right, russia.bottom))));
}

TEST_F(MapViewTest, WheelZoomsAboutThePointerAndDoubleClickShowsTheWorld)
{
    const QPointF at(100, 60);
    const QPointF before = MapPointAt(at);
    Wheel(at, 240);
    EXPECT_DOUBLE_EQ(m_view.Zoom(), 1.25 * 1.25);
    const QPointF after = MapPointAt(at);
    EXPECT_NEAR(after.x(), before.x(), 1e-6);
    EXPECT_NEAR(after.y(), before.y(), 1e-6);
    Wheel(at, -120);
    EXPECT_DOUBLE_EQ(m_view.Zoom(), 1.25);
    QTest::mouseDClick(&m_view, Qt::LeftButton, Qt::NoModifier, QPoint(200, 100));
    EXPECT_EQ(m_view.Zoom(), 1.0);
    Wheel(at, -600);
    EXPECT_EQ(m_view.Zoom(), 1.0); // never smaller than the world
}

TEST_F(MapViewTest, DragPansAndStopsAtTheMapsEdge)
{
    Wheel(QPointF(200, 100), 120 * 6);
    const QRectF before = m_view.VisibleMapRect();
    Drag(QPoint(200, 100), QPoint(250, 80));
    const QRectF after = m_view.VisibleMapRect();
    EXPECT_NEAR(after.left() - before.left(), -50 * before.width() / 400, 1e-6);
    EXPECT_NEAR(after.top() - before.top(), 20 * before.height() / 200, 1e-6);
    for (int i = 0; i < 40; ++i)
        Drag(QPoint(10, 100), QPoint(390, 100));
    EXPECT_NEAR(m_view.VisibleMapRect().left(), WorldMap::WorldBounds().left, 1e-5);
}

// The position answers: a press that moves less than the drag threshold still answers; one that
// moves further pans instead; while choosing, the wheel leaves the view alone.
TEST(PositionMapViewTest, ClicksAnswerDragsPanAndOnlyPointingZooms)
{
    CPositionMapView view;
    view.resize(480, 160);
    view.show();
    std::vector<std::string> pointed;
    view.OnPointed([&](std::string_view code, bool) { pointed.emplace_back(code); });
    const auto wheel = [&](QPointF at) {
        QWheelEvent event(at, view.mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &event);
    };
    const auto gesture = [&](QPoint from, QPoint to) {
        QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), view.mapToGlobal(QPointF(to)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &move);
        QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, to);
    };

    view.ShowQuestion({"fra", "deu", "ita", "esp"}, "deu", false);
    const double dChoosing = view.View().dScale;
    wheel(QPointF(240, 80));
    EXPECT_EQ(view.View().dScale, dChoosing);

    view.ShowQuestion({"fra", "deu", "ita", "esp"}, "deu", true);
    const QPoint deu =
        view.ToWidget(InteriorPoint(WorldMapData(), *WorldMapData().Find("deu"))).toPoint();
    const MapRect framed = view.View().rcView;
    gesture(deu, deu + QPoint(30, 0));
    EXPECT_TRUE(pointed.empty()) << "a drag does not answer";
    EXPECT_NE(view.View().rcView.left, framed.left);
    const QPoint moved =
        view.ToWidget(InteriorPoint(WorldMapData(), *WorldMapData().Find("deu"))).toPoint();
    gesture(moved, moved + QPoint(2, 1));
    EXPECT_EQ(pointed, std::vector<std::string>{"deu"});
    const double dPointing = view.View().dScale;
    wheel(QPointF(240, 80));
    EXPECT_DOUBLE_EQ(view.View().dScale, dPointing * 1.25 * 1.25);
}

TEST_F(MapViewTest, KeysZoomPanAndHomeShowsTheWorld)
{
    const QPointF centre = m_view.VisibleMapRect().center();
    QTest::keyClick(&m_view, Qt::Key_Plus);
    QTest::keyClick(&m_view, Qt::Key_Plus);
    EXPECT_DOUBLE_EQ(m_view.Zoom(), 1.25 * 1.25);
    const QRectF zoomed = m_view.VisibleMapRect();
    QTest::keyClick(&m_view, Qt::Key_Right);
    EXPECT_NEAR(m_view.VisibleMapRect().left() - zoomed.left(), zoomed.width() / 10, 1e-6);
    QTest::keyClick(&m_view, Qt::Key_Up);
    EXPECT_NEAR(m_view.VisibleMapRect().top() - zoomed.top(), -zoomed.height() / 10, 1e-6);
    QTest::keyClick(&m_view, Qt::Key_Home);
    EXPECT_EQ(m_view.Zoom(), 1.0);
    EXPECT_NEAR(m_view.VisibleMapRect().center().x(), centre.x(), 1e-6);
    EXPECT_NEAR(m_view.VisibleMapRect().center().y(), centre.y(), 1e-6);
}

// The window follows a round: nothing while a question is open, the asked country once judged.
TEST(MapWindowTest, FollowsTheRoundAndSaysWhenClosed)
{
    QWidget main;
    main.setGeometry(20, 20, 300, 200);
    main.show();
    CMapWindow window;
    int nClosed = 0;
    window.SetOnClosed([&] { ++nClosed; });
    window.PlaceBeside(&main);
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("地図"));
    EXPECT_FALSE(window.frameGeometry().intersects(main.frameGeometry()));

    JudgedAnswer answer;
    answer.strRecord = std::string("bra") + std::string(417, ' ');
    answer.result = AnswerResult::TimeOut;
    window.OnJudged(answer);
    EXPECT_EQ(window.View()->HighlightedCode(), "bra");
    window.OnQuestionShown();
    EXPECT_TRUE(window.View()->HighlightedCode().empty());
    window.close();
    EXPECT_EQ(nClosed, 1);
}

// The 設定 switch: stored as [MAP] SW, the window open while it is on, and closing the window
// turning it off.
class MapCommandsTest : public ::testing::Test
{
  protected:
    MapCommandsTest() { m_main.setGeometry(20, 20, 300, 200); }

    std::string Stored() const { return m_profile.GetProfileStringA("MAP", "SW", "absent"); }

    JudgedAnswer Judged(const char* szCode) const
    {
        JudgedAnswer answer;
        answer.strRecord = std::string(szCode) + std::string(417, ' ');
        return answer;
    }

    PlayFolder m_dir;
    ProfileStore& m_profile = m_dir.Store();
    QWidget m_main;
    QAction m_action{QStringLiteral("地図を表示(&M)")};
};

TEST_F(MapCommandsTest, SwitchOpensTheWindowAndClosingItTurnsTheSwitchOff)
{
    auto* pCommands = new CMapCommands(m_profile, &m_main);
    pCommands->SetAction(&m_action);
    m_main.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(m_action.isChecked());
    EXPECT_EQ(pCommands->Window(), nullptr); // absent means off
    EXPECT_EQ(Stored(), "absent");

    pCommands->OnJudged(Judged("per"));
    m_action.trigger();
    EXPECT_TRUE(m_action.isChecked());
    EXPECT_NE(ReadFileBytes(m_dir / "Parameter.INI").find("[MAP]\r\nSW=1\r\n"), std::string::npos);
    ASSERT_NE(pCommands->Window(), nullptr);
    EXPECT_TRUE(pCommands->Window()->isVisible());
    EXPECT_FALSE(pCommands->Window()->frameGeometry().intersects(m_main.frameGeometry()));
    EXPECT_EQ(pCommands->Window()->View()->HighlightedCode(), "per"); // the verdict stands
    pCommands->OnQuestionShown();
    EXPECT_TRUE(pCommands->Window()->View()->HighlightedCode().empty());
    pCommands->OnJudged(Judged("fin"));
    EXPECT_EQ(pCommands->Window()->View()->HighlightedCode(), "fin");

    pCommands->Window()->close();
    EXPECT_EQ(pCommands->Window(), nullptr);
    EXPECT_EQ(Stored(), "0");
    EXPECT_FALSE(m_action.isChecked());

    m_action.trigger();
    EXPECT_EQ(Stored(), "1");
    m_action.trigger();
    EXPECT_EQ(Stored(), "0");
    EXPECT_EQ(pCommands->Window(), nullptr);
    EXPECT_FALSE(m_action.isChecked());
}

TEST_F(MapCommandsTest, ReopensOnceTheMainWindowShowsWhileTheSwitchIsOn)
{
    m_profile.WriteProfileStringA("MAP", "SW", "1");
    auto* pCommands = new CMapCommands(m_profile, &m_main);
    pCommands->SetAction(&m_action);
    EXPECT_TRUE(m_action.isChecked());
    QCoreApplication::processEvents();
    EXPECT_EQ(pCommands->Window(), nullptr);
    m_main.show();
    QCoreApplication::processEvents();
    ASSERT_NE(pCommands->Window(), nullptr);
    EXPECT_TRUE(pCommands->Window()->isVisible());
    EXPECT_TRUE(pCommands->Window()->View()->HighlightedCode().empty());
}

// It reopens where and as large as the learner left it, kept when it closes and when the main
// window goes; a place no screen shows any more gives way to the place beside the main window.
TEST_F(MapCommandsTest, ReopensWhereItWasLeftWhileAScreenShowsIt)
{
    auto* pCommands = new CMapCommands(m_profile, &m_main);
    pCommands->SetAction(&m_action);
    m_main.show();
    m_action.trigger();
    ASSERT_NE(pCommands->Window(), nullptr);
    pCommands->Window()->resize(333, 222);
    pCommands->Window()->move(400, 300);
    pCommands->Window()->close();
    const auto stored = [&] { return m_profile.GetProfileStringA("MAP_WINDOW", "RECT", ""); };
    EXPECT_EQ(stored(), "400,300,333,222");

    m_action.trigger();
    EXPECT_EQ(pCommands->Window()->pos(), QPoint(400, 300));
    EXPECT_EQ(pCommands->Window()->size(), QSize(333, 222));
    pCommands->Window()->move(410, 310);
    m_main.hide(); // the program ends with the map open
    EXPECT_EQ(stored(), "410,310,333,222");

    m_action.trigger(); // off
    m_profile.WriteProfileStringA("MAP_WINDOW", "RECT", "-5000,-5000,333,222");
    m_main.show();
    m_action.trigger();
    const QRect screen = m_main.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(pCommands->Window()->frameGeometry()));
    EXPECT_NE(pCommands->Window()->size(), QSize(333, 222)); // placed afresh at its wanted size
}

// The program as wired: the entry below 効果音, and a real round followed by the map.
TEST_F(MapCommandsTest, TheMainWindowsMapFollowsARealRound)
{
    m_dir.WriteFlagQuestions({"jpn", "fra", "bra"});
    m_dir.WriteIni("[QUESTION_CNT]\r\n1=3\r\n[SOUND]\r\nSW=0\r\n[MAP]\r\nSW=1\r\n");
    std::vector<std::string> seen; // what the map showed whenever a verdict or the end showed
    MessageBoxCapture boxes;
    const std::unique_ptr<CQuizDlg> pDlg = CreateMainWindow(m_profile, QuizTiming{5, 5});
    QAction* pEntry = pDlg->findChild<QAction*>("menuMap");
    ASSERT_NE(pEntry, nullptr);
    EXPECT_TRUE(pEntry->isCheckable() && pEntry->isChecked());
    pDlg->show();
    QCoreApplication::processEvents();
    auto* pMap = static_cast<CMapWindow*>(pDlg->findChild<QWidget*>("mapWindow"));
    ASSERT_NE(pMap, nullptr);
    QTest::mouseClick(pDlg->findChild<QPushButton*>("start"), Qt::LeftButton);
    for (int i = 0; i < 3; ++i) {
        seen.push_back(pMap->View()->HighlightedCode()); // the question is open
        // Runs while the verdict's popup shows.
        QTimer::singleShot(0, pMap, [&] { seen.push_back(pMap->View()->HighlightedCode()); });
        const int nWrong = pDlg->Round().m_nCorrectNo % 4 + 1;
        QTest::mouseClick(pDlg->findChild<QPushButton*>(QString("answer%1").arg(nWrong)),
                          Qt::LeftButton);
    }
    seen.push_back(pMap->View()->HighlightedCode()); // the round's last verdict stands
    EXPECT_EQ(seen, (std::vector<std::string>{"", "jpn", "", "fra", "", "bra", "bra"}));
}

} // namespace
