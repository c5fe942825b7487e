#include "zukan/CZukanWindow.h"

#include "facts/Facts.h"
#include "learning/MasteryMap.h"
#include "map/CWorldMapView.h"
#include "platform/Accessibility.h"
#include "platform/CDialogUnits.h"
#include "platform/File.h"
#include "platform/LocalTime.h"
#include "platform/PlaceWindow.h"
#include "zukan/CFactsPanel.h"
#include "zukan/CFlagDelegate.h"
#include "zukan/CFlagListModel.h"
#include "zukan/CFlagListView.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// In dialog units.
constexpr int kWindowCx = 540, kWindowCy = 340;
constexpr int kLeastCx = 440, kLeastCy = 280;
constexpr int kListLeastCx = 200, kFactsCx = 230, kMapCy = 116;
constexpr int kMargin = 7, kGap = 4;

} // namespace

CZukanWindow::CZukanWindow(QAction* pDrillAction, WallClock wallClock, QWidget* pParent)
    : QWidget(pParent, Qt::Window), m_index(Facts::Countries()), m_pDrillAction(pDrillAction),
      m_wallClock(std::move(wallClock))
{
    setWindowTitle(QStringLiteral("国旗図鑑"));
    setObjectName(QStringLiteral("zukanWindow"));
    setFont(DialogFont());
    CreateControls();
    // The marks follow the window's first paint: a long history never delays the opening.
    QTimer::singleShot(0, this, &CZukanWindow::ReadHistoryIfChanged);
    resize(CDialogUnits(font()).Size(kWindowCx, kWindowCy));
    connect(m_pDrillAction, &QAction::changed, this, &CZukanWindow::UpdateDrillButton);
    OnSearchChanged(QString());
    OnSelectionChanged();
}

CZukanWindow::~CZukanWindow() = default;

void CZukanWindow::CreateControls()
{
    const CDialogUnits du(font());
    auto* pSearchLabel = new QLabel(QStringLiteral("検索(&S)："), this);
    m_pSearch = new QLineEdit(this);
    m_pSearch->setObjectName(QStringLiteral("zukanSearch"));
    m_pSearch->setPlaceholderText(QStringLiteral("国名・読み・首都・コード"));
    m_pSearch->setAccessibleName(QStringLiteral("検索"));
    m_pSearch->setAccessibleDescription(
        QStringLiteral("国名、その読み、首都、三文字のコードで国旗を絞り込みます"));
    m_pSearch->setClearButtonEnabled(true);
    m_pSearch->installEventFilter(this);
    connect(m_pSearch, &QLineEdit::textChanged, this, &CZukanWindow::OnSearchChanged);
    pSearchLabel->setBuddy(m_pSearch);
    m_pFound = new QLabel(this);
    m_pFound->setObjectName(QStringLiteral("zukanFound"));
    auto* pStateLabel = new QLabel(QStringLiteral("表示(&V)："), this);
    m_pStateFilter = new QComboBox(this);
    m_pStateFilter->setObjectName(QStringLiteral("zukanStateFilter"));
    m_pStateFilter->setAccessibleName(QStringLiteral("表示する国"));
    m_pStateFilter->addItems({QStringLiteral("すべての国"), QStringLiteral("要復習"),
                              QStringLiteral("学習中"), QStringLiteral("習得"),
                              QStringLiteral("未出題")});
    m_pStateFilter->setMinimumWidth(du.X(56));
    pStateLabel->setBuddy(m_pStateFilter);
    connect(m_pStateFilter, &QComboBox::currentIndexChanged, this,
            [this] { OnSearchChanged(m_pSearch->text()); });

    auto* pListLabel = new QLabel(QStringLiteral("国旗の一覧(&L)："), this);
    m_pModel = new CFlagListModel(m_index, this);
    m_pList = new CFlagListView(*m_pModel, this);
    m_pList->setObjectName(QStringLiteral("zukanList"));
    m_pList->setAccessibleName(QStringLiteral("国旗の一覧"));
    m_pList->setAccessibleDescription(
        QStringLiteral("矢印キーで動かすと、その国のことが出ます。Space で選ぶ・外す、"
                       "Ctrl か Shift を押しながらのクリックで複数選べます"));
    m_pList->setViewMode(QListView::ListMode);
    m_pList->setFlow(QListView::LeftToRight);
    m_pList->setWrapping(true);
    m_pList->setResizeMode(QListView::Adjust);
    m_pList->setSpacing(du.X(1));
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pList->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_pList->setMinimumWidth(du.X(kListLeastCx));
    m_pList->setModel(m_pModel);
    m_pList->setItemDelegate(new CFlagDelegate(*m_pModel, m_pList));
    pListLabel->setBuddy(m_pList);
    connect(m_pList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CZukanWindow::OnCurrentChanged);
    connect(m_pList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CZukanWindow::OnSelectionChanged);
    connect(m_pList, &QListView::activated, this, &CZukanWindow::OnCurrentChanged);

    m_pSelected = new QLabel(this);
    m_pSelected->setObjectName(QStringLiteral("zukanSelected"));
    m_pSelectGroup = new QPushButton(QStringLiteral("この州をすべて選ぶ(&A)"), this);
    m_pSelectGroup->setObjectName(QStringLiteral("zukanSelectGroup"));
    m_pSelectGroup->setEnabled(false); // until a flag is at the cursor
    connect(m_pSelectGroup, &QPushButton::clicked, this, &CZukanWindow::OnButtonSelectGroup);
    m_pDrill = new QPushButton(m_pDrillAction->text(), this);
    m_pDrill->setObjectName(QStringLiteral("zukanDrill"));
    connect(m_pDrill, &QPushButton::clicked, m_pDrillAction, &QAction::trigger);

    // A long note scrolls within the facts; the window keeps its size.
    auto* pFactsScroll = new QScrollArea(this);
    pFactsScroll->setFrameShape(QFrame::NoFrame);
    pFactsScroll->setWidgetResizable(true);
    pFactsScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pFactsScroll->setFocusPolicy(Qt::NoFocus);
    pFactsScroll->setFixedWidth(du.X(kFactsCx));
    m_pFacts = new CFactsPanel(pFactsScroll);
    m_pFacts->setObjectName(QStringLiteral("zukanFacts"));
    pFactsScroll->setWidget(m_pFacts);

    auto* pSearchRow = new QHBoxLayout;
    pSearchRow->addWidget(pSearchLabel);
    pSearchRow->addWidget(m_pSearch, 1);
    pSearchRow->addWidget(pStateLabel);
    pSearchRow->addWidget(m_pStateFilter);
    auto* pButtons = new QHBoxLayout;
    pButtons->addWidget(m_pSelected, 1);
    pButtons->addWidget(m_pSelectGroup);
    pButtons->addWidget(m_pDrill);
    auto* pLeft = new QVBoxLayout;
    pLeft->addLayout(pSearchRow);
    pLeft->addWidget(m_pFound);
    pLeft->addWidget(pListLabel);
    pLeft->addWidget(m_pList, 1);
    pLeft->addLayout(pButtons);
    auto* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(du.X(kMargin), du.Y(kMargin), du.X(kMargin), du.Y(kMargin));
    pLayout->setSpacing(du.X(kGap));
    pLayout->addLayout(pLeft, 1);
    auto* pMapLabel = new QLabel(QStringLiteral("地図(&M)："), this);
    m_pMap = new CWorldMapView(this);
    m_pMap->setObjectName(QStringLiteral("zukanMap"));
    m_pMap->setFixedSize(du.X(kFactsCx), du.Y(kMapCy));
    // The map is read when first shown: not before a country is chosen, so opening stays quick.
    m_pMap->hide();
    m_pNoMap = new QLabel(QStringLiteral("国旗を選ぶと、ここにその国の場所が出ます。"), this);
    m_pNoMap->setObjectName(QStringLiteral("zukanNoMap"));
    m_pNoMap->setFixedSize(m_pMap->size());
    m_pNoMap->setAlignment(Qt::AlignCenter);
    m_pNoMap->setWordWrap(true);
    m_pNoMap->setFrameShape(QFrame::StyledPanel);
    pMapLabel->setBuddy(m_pMap);

    auto* pRight = new QVBoxLayout;
    pRight->addWidget(pFactsScroll, 1);
    pRight->addWidget(pMapLabel);
    pRight->addWidget(m_pMap);
    pRight->addWidget(m_pNoMap);
    pLayout->addLayout(pRight);

    setTabOrder(m_pSearch, m_pStateFilter);
    setTabOrder(m_pStateFilter, m_pList);
    setTabOrder(m_pList, m_pSelectGroup);
    setTabOrder(m_pSelectGroup, m_pDrill);
    setTabOrder(m_pDrill, m_pMap);
}

std::set<std::string> CZukanWindow::SelectedCodes() const
{
    std::set<std::string> codes;
    for (const QModelIndex& index : m_pList->selectionModel()->selectedIndexes())
        if (const int nEntry = m_pModel->EntryAt(index.row()); nEntry >= 0)
            codes.emplace(m_index.Entries()[std::size_t(nEntry)].pCountry->code);
    return codes;
}

bool CZukanWindow::ShowCode(const std::string& code)
{
    const std::vector<ZukanIndex::Entry>& entries = m_index.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].pCountry->code != code)
            continue;
        const int nRow = m_pModel->RowOfEntry(int(i));
        if (m_pList->isRowHidden(nRow))
            m_pSearch->clear();
        const QModelIndex index = m_pModel->index(nRow);
        m_pList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        m_pList->scrollTo(index);
        m_pList->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

void CZukanWindow::PlaceBeside(const QWidget* pMain)
{
    const CDialogUnits du(font());
    PlaceWindowBeside(this, pMain, du.Size(kWindowCx, kWindowCy), du.Size(kLeastCx, kLeastCy),
                      du.X(kGap));
}

void CZukanWindow::SetStateFilter(int nIndex)
{
    m_pStateFilter->setCurrentIndex(nIndex);
}

void CZukanWindow::OnSearchChanged(const QString& text)
{
    std::vector<int> found = m_index.Find(text.toStdString());
    static constexpr Mastery kFilterStates[] = {Mastery::Review, Mastery::Learning,
                                                Mastery::Mastered, Mastery::Unasked};
    if (const int nFilter = m_pStateFilter->currentIndex(); nFilter > 0)
        std::erase_if(found, [&](int nEntry) {
            return m_pModel->MasteryOf(nEntry) != static_cast<int>(kFilterStates[nFilter - 1]);
        });
    const std::vector<bool> shown = m_pModel->RowsShown(found);
    for (std::size_t nRow = 0; nRow < shown.size(); ++nRow)
        m_pList->setRowHidden(static_cast<int>(nRow), !shown[nRow]);
    QString strFound;
    if (found.empty() && text.trimmed().isEmpty())
        strFound = QStringLiteral("%1の国はありません。").arg(m_pStateFilter->currentText());
    else if (found.empty())
        strFound = QStringLiteral("「%1」に当てはまる国はありません。").arg(text.trimmed());
    else if (found.size() == m_index.Entries().size())
        strFound = QStringLiteral("全%1か国").arg(found.size());
    else
        strFound = QStringLiteral("%1か国が見つかりました").arg(found.size());
    ShowLabelValue(m_pFound, QStringLiteral("検索結果"), strFound);
    const QModelIndex current = m_pList->currentIndex();
    if (current.isValid() && !m_pList->isRowHidden(current.row()))
        m_pList->scrollTo(current);
}

void CZukanWindow::OnButtonSelectGroup()
{
    const QModelIndex current = m_pList->currentIndex();
    if (!current.isValid())
        return;
    const int nGroup = m_pModel->GroupAt(current.row());
    QItemSelection selection;
    for (int nRow = 0; nRow < m_pModel->rowCount(); ++nRow)
        if (m_pModel->GroupAt(nRow) == nGroup && m_pModel->EntryAt(nRow) >= 0)
            selection.select(m_pModel->index(nRow), m_pModel->index(nRow));
    m_pList->selectionModel()->select(selection, QItemSelectionModel::Select);
}

void CZukanWindow::changeEvent(QEvent* pEvent)
{
    // Rounds append to the history while the window stands: the record shown follows it.
    if (pEvent->type() == QEvent::ActivationChange && isActiveWindow()) {
        ReadHistoryIfChanged();
        if (m_nShown >= 0)
            ShowCountry(m_nShown);
    }
    QWidget::changeEvent(pEvent);
}

void CZukanWindow::keyPressEvent(QKeyEvent* pEvent)
{
    if (pEvent->key() == Qt::Key_Escape && pEvent->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(pEvent);
}

// Down, Return or Enter in the search field go to the first flag found.
bool CZukanWindow::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched != m_pSearch || pEvent->type() != QEvent::KeyPress)
        return false;
    const int nKey = static_cast<QKeyEvent*>(pEvent)->key();
    if (nKey != Qt::Key_Down && nKey != Qt::Key_Return && nKey != Qt::Key_Enter)
        return false;
    for (int nRow = 0; nRow < m_pModel->rowCount(); ++nRow)
        if (m_pModel->EntryAt(nRow) >= 0 && !m_pList->isRowHidden(nRow)) {
            const QModelIndex index = m_pModel->index(nRow);
            const QModelIndex current = m_pList->currentIndex();
            if (!current.isValid() || m_pList->isRowHidden(current.row()))
                m_pList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
            m_pList->setFocus(Qt::OtherFocusReason);
            return true;
        }
    return false;
}

void CZukanWindow::OnCurrentChanged(const QModelIndex& current)
{
    m_pSelectGroup->setEnabled(current.isValid());
    if (current.isValid() && m_pModel->EntryAt(current.row()) >= 0)
        ShowCountry(m_pModel->EntryAt(current.row()));
}

void CZukanWindow::OnSelectionChanged()
{
    const std::size_t nSelected = SelectedCodes().size();
    ShowLabelValue(m_pSelected, QStringLiteral("選んだ国"),
                   QStringLiteral("選んだ国：%1か国").arg(nSelected));
    UpdateDrillButton();
}

void CZukanWindow::UpdateDrillButton()
{
    m_pDrill->setEnabled(m_pDrillAction->isEnabled() && m_pList->selectionModel()->hasSelection());
}

void CZukanWindow::ShowCountry(int nEntry)
{
    m_nShown = nEntry;
    const Facts::Country& country = *m_index.Entries()[std::size_t(nEntry)].pCountry;
    m_pFacts->Show(&country, RecordOf(country.code), LocalDay(m_wallClock()));
    m_pNoMap->hide();
    m_pMap->show();
    m_pMap->Highlight(country.code);
}

void CZukanWindow::ReadHistoryIfChanged()
{
    const std::optional<std::filesystem::path> path = PathInCurrentDir(kHistoryFileName);
    std::error_code ec;
    const auto time =
        path ? std::filesystem::last_write_time(*path, ec) : decltype(m_historyTime){};
    const std::uintmax_t nSize = path && !ec ? std::filesystem::file_size(*path, ec) : 0;
    if (m_bHistoryRead && time == m_historyTime && nSize == m_nHistorySize)
        return;
    const HistoryLog log = path ? ReadHistory(*path) : HistoryLog{};
    m_records = LearnerRecords(log.rows);
    m_historyTime = time;
    m_nHistorySize = nSize;
    m_bHistoryRead = true;

    const std::span<const Facts::Country> countries = Facts::Countries();
    const std::vector<CountryMastery> states =
        MasteryMap(log.rows, RecordKinds::ReadForRows(log.rows), countries, LocalDay(m_wallClock()))
            .States(std::nullopt);
    std::vector<int> byEntry;
    for (const ZukanIndex::Entry& entry : m_index.Entries())
        byEntry.push_back(int(states[std::size_t(entry.pCountry - countries.data())].state));
    m_pModel->SetMasteryStates(std::move(byEntry));
    if (m_pStateFilter->currentIndex() > 0)
        OnSearchChanged(m_pSearch->text());
}

const LearnerRecord* CZukanWindow::RecordOf(std::string_view code)
{
    ReadHistoryIfChanged();
    const auto it = m_records.find(std::string(code));
    return it == m_records.end() ? nullptr : &it->second;
}
