#include "learning/CResultsDlg.h"

#include "learning/CRateChart.h"
#include "learning/ResultsSummary.h"
#include "platform/CDialogUnits.h"
#include "platform/QtText.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

const QString kNone = QStringLiteral("-");

QString WithoutMnemonic(const QString& strLabel)
{
    static const QRegularExpression kMnemonic(QStringLiteral("\\(&.\\)"));
    return QString(strLabel).remove(kMnemonic);
}

QString Rate(const Tally& t)
{
    return t.nAnswers ? QString::number(t.Rate(), 'f', 1) + QLatin1Char('%') : kNone;
}

QString Seconds(const Tally& t)
{
    return t.nAnswers ? QString::number(t.AverageSeconds(), 'f', 1) + QStringLiteral(" 秒") : kNone;
}

// Figures stand right-aligned from column nFirstFigure on.
void AddRow(QTreeWidget* pTree, const QStringList& cells, int nFirstFigure = 1)
{
    auto* pItem = new QTreeWidgetItem(pTree, cells);
    for (int i = nFirstFigure; i < cells.size(); ++i)
        pItem->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
}

void AddTallyRow(QTreeWidget* pTree, const QString& strName, const Tally& t)
{
    AddRow(pTree, {strName, QString::number(t.nAnswers), Rate(t)});
}

} // namespace

CResultsDlg::CResultsDlg(const ResultsSummary& sum, const std::string& strFile, bool bWriteFailed,
                         QWidget* pParent)
    : QDialog(pParent, kDialogWindowFlags)
{
    setWindowTitle(QStringLiteral("成績"));
    setObjectName(QStringLiteral("resultsDialog"));
    setFont(DialogFont());
    const CDialogUnits du(font());
    m_pTabs = new QTabWidget(this);
    m_pTabs->setObjectName(QStringLiteral("resultsTabs"));
    m_pSummary = new QWidget;
    m_pSummary->setFixedSize(du.Size(340, 296));
    m_pTabs->addTab(m_pSummary, QStringLiteral("成績(&T)"));

    const QString strFileName = ToQString(strFile);
    QTreeWidget* pOverview = AddTable(
        du.Rect(7, 17, 160, 56), "overview", QStringLiteral("成績(&S)　%1").arg(strFileName),
        {QString(), QStringLiteral("この問題ファイル"), QStringLiteral("全ファイル")});
    pOverview->headerItem()->setToolTip(1, strFileName);
    pOverview->setAccessibleDescription(QStringLiteral("この問題ファイル: ") + strFileName);
    AddRow(pOverview, {QStringLiteral("ラウンド数"), QString::number(sum.current.nRounds),
                       QString::number(sum.all.nRounds)});
    AddRow(pOverview, {QStringLiteral("解答数"), QString::number(sum.current.nAnswers),
                       QString::number(sum.all.nAnswers)});
    AddRow(pOverview, {QStringLiteral("正解率"), Rate(sum.current), Rate(sum.all)});
    AddRow(pOverview, {QStringLiteral("平均解答時間"), Seconds(sum.current), Seconds(sum.all)});

    auto* pChartLabel = new QLabel(QStringLiteral("最近 30 ラウンドの正解率(&C)"), m_pSummary);
    pChartLabel->setGeometry(du.Rect(173, 7, 160, 9));
    auto* pChart = new CRateChart(m_pSummary);
    pChart->setObjectName(QStringLiteral("chart"));
    pChart->setAccessibleName(QStringLiteral("最近 30 ラウンドの正解率"));
    pChart->setGeometry(du.Rect(173, 17, 160, 56));
    pChart->SetRates(sum.recentRates);
    pChartLabel->setBuddy(pChart);

    const QStringList tallyHeaders = {QString(), QStringLiteral("解答数"),
                                      QStringLiteral("正解率")};
    QTreeWidget* pKinds = AddTable(du.Rect(7, 91, 160, 86), "byKind",
                                   QStringLiteral("問題の種類別(&K)"), tallyHeaders);
    const QString kinds[kKindCount] = {QStringLiteral("国名"), QStringLiteral("首都"),
                                       QStringLiteral("地域"), QStringLiteral("公用語"),
                                       QStringLiteral("国旗"), QStringLiteral("その他")};
    for (int i = 0; i < kKindCount; ++i)
        AddTallyRow(pKinds, kinds[i], sum.kinds[static_cast<std::size_t>(i)]);

    QTreeWidget* pContinents = AddTable(du.Rect(173, 91, 160, 86), "byContinent",
                                        QStringLiteral("州別(&A)"), tallyHeaders);
    for (std::size_t i = 0; i < sum.continents.size(); ++i)
        AddTallyRow(pContinents,
                    i < kContinentOther ? QString::fromUtf8(Facts::kContinents[i].data(),
                                                            Facts::kContinents[i].size())
                                        : QStringLiteral("その他"),
                    sum.continents[i]);

    QTreeWidget* pWeakest =
        AddTable(du.Rect(7, 195, 326, 98), "weakest", QStringLiteral("よく間違える問題(&W)"),
                 {QStringLiteral("問題"), QStringLiteral("国"), QStringLiteral("入力した誤答"),
                  QStringLiteral("誤答回数"), QStringLiteral("解答回数")});
    for (const WeakQuestion& w : sum.weakest) {
        QStringList typed;
        for (const std::string& spelling : w.wrongTyped)
            typed.append(QString::fromUtf8(spelling));
        AddRow(pWeakest,
               {ToQString(w.strQuestion), ToQString(w.strCountry),
                typed.join(QStringLiteral(" / ")), QString::number(w.nMissed),
                QString::number(w.nAnswers)},
               3);
        pWeakest->topLevelItem(pWeakest->topLevelItemCount() - 1)
            ->setToolTip(2, typed.join(QLatin1Char('\n')));
    }
    pWeakest->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    pWeakest->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    if (sum.weakest.empty())
        AddRow(pWeakest, {QStringLiteral("間違えた問題はありません")});

    if (bWriteFailed) {
        auto* pStatus = new QLabel(QStringLiteral("このフォルダーに答えの履歴を書き込めませんでした"
                                                  "。成績に入っていない答えがあります。"),
                                   this);
        pStatus->setObjectName(QStringLiteral("historyStatus"));
        pStatus->setWordWrap(true);
        m_pStatus = pStatus;
        pStatus->setFocusPolicy(Qt::TabFocus); // reachable, so it is read out
    }
    auto* pClose = new QPushButton(QStringLiteral("閉じる"), this);
    pClose->setObjectName(QStringLiteral("close"));
    m_pClose = pClose;
    pClose->setDefault(true);
    connect(pClose, &QPushButton::clicked, this, &QDialog::accept);
    Layout();
    pOverview->setFocus();
}

void CResultsDlg::AddMasteryPage(QWidget* pPage)
{
    const CDialogUnits du(font());
    pPage->setFixedSize(du.Size(340, 296));
    m_pTabs->addTab(pPage, QStringLiteral("習得マップ(&M)"));
    Layout();
}

// The pages, then the status and the close button below them.
void CResultsDlg::Layout()
{
    const CDialogUnits du(font());
    const QSize tabs = m_pTabs->minimumSizeHint(); // the pages have fixed sizes
    m_pTabs->setGeometry(QRect(QPoint(du.X(2), du.Y(2)), tabs));
    const int nBottom = m_pTabs->geometry().bottom() + du.Y(4);
    if (m_pStatus)
        m_pStatus->setGeometry(du.X(7), nBottom, du.X(270), du.Y(16));
    m_pClose->setGeometry(m_pTabs->geometry().right() - du.X(50), nBottom + du.Y(2), du.X(50),
                          du.Y(14));
    setFixedSize(m_pTabs->geometry().right() + du.X(2) + 1, nBottom + du.Y(20));
}

QTreeWidget* CResultsDlg::AddTable(const QRect& rect, const char* szName, const QString& strLabel,
                                   const QStringList& headers)
{
    auto* pLabel = new QLabel(strLabel, m_pSummary);
    pLabel->setGeometry(rect.x(), rect.y() - pLabel->sizeHint().height() - 2, rect.width(),
                        pLabel->sizeHint().height());
    auto* pTree = new QTreeWidget(m_pSummary);
    pTree->setObjectName(QString::fromLatin1(szName));
    pTree->setAccessibleName(WithoutMnemonic(strLabel));
    pTree->setGeometry(rect);
    pTree->setRootIsDecorated(false);
    pTree->setHeaderLabels(headers);
    pTree->setSelectionMode(QAbstractItemView::SingleSelection);
    pTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pTree->header()->setSectionsMovable(false);
    pTree->header()->setStretchLastSection(false);
    pTree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    pTree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    pLabel->setBuddy(pTree);
    return pTree;
}
