#include "settings/CSettingDlg.h"

#include "platform/Accessibility.h"
#include "platform/CDialogUnits.h"
#include "platform/CEnterEscFilter.h"
#include "platform/File.h"
#include "platform/MessageBox.h"
#include "platform/ProfileStore.h"
#include "platform/QtText.h"
#include "quiz/RoundFile.h"
#include "settings/QuestionFileList.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStringList>

#include <algorithm>

namespace {

constexpr int kTickInterval = 2;
const QString kListName = QStringLiteral("問題ファイル名");
const QString kTimeName = QStringLiteral("制限時間の設定値");
const QString kLifeName = QStringLiteral("許容誤答数の設定値");
const QString kCountName = QStringLiteral("出題数の設定値");

// Puts a control at its template rectangle and names it for tests and screen readers.
template <typename T> T* Place(T* pControl, QRect rect, const char* szName, const QString& strA11y)
{
    pControl->setGeometry(rect);
    pControl->setObjectName(QString::fromLatin1(szName));
    pControl->setAccessibleName(strA11y);
    return pControl;
}

QSlider* MakeSlider(QWidget* pParent)
{
    auto* pSlider = new QSlider(Qt::Horizontal, pParent);
    pSlider->setTickPosition(QSlider::TicksAbove);
    pSlider->setTickInterval(kTickInterval);
    pSlider->setFocusPolicy(Qt::NoFocus);
    return pSlider;
}

QLabel* MakeValueText(QWidget* pParent)
{
    auto* pLabel = new QLabel(pParent);
    pLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pLabel->setAlignment(Qt::AlignCenter);
    pLabel->setTextFormat(Qt::PlainText);
    return pLabel;
}

// Range first, then the position, which the slider clamps into the range. The page step is
// the one a Windows trackbar takes from its range: a fifth of it, at least 1.
void SetUpSlider(QSlider* pSlider, int nMin, int nMax, int nPos)
{
    pSlider->setRange(nMin, nMax);
    pSlider->setPageStep(std::max(1, (nMax - nMin) / 5));
    pSlider->setValue(nPos);
}

} // namespace

CSettingDlg::CSettingDlg(ProfileStore& profile, QWidget* pParent)
    : QDialog(pParent, kDialogWindowFlags), m_profile(profile)
{
    setWindowTitle(QStringLiteral("出題設定画面"));
    setFont(DialogFont());
    const CDialogUnits du(font());
    setFixedSize(du.Size(183, 207));

    // Group boxes first, so they lie beneath the controls they frame and never take their clicks.
    struct Group
    {
        int x, y, cx, cy;
        const char* szName;
        QString strTitle;
    };
    const Group groups[] = {
        {15, 11, 152, 30, "groupFile", QStringLiteral("■問題ファイル名")},
        {14, 46, 153, 35, "groupTime", QStringLiteral("■制限時間")},
        {14, 83, 153, 35, "groupLife", QStringLiteral("■許容誤答数")},
        {14, 121, 153, 34, "groupCount", QStringLiteral("■出題数")},
        {14, 158, 105, 34, "groupOrder", QStringLiteral("■出題順序")},
    };
    for (const Group& g : groups)
        Place(new QGroupBox(g.strTitle, this), du.Rect(g.x, g.y, g.cx, g.cy), g.szName, g.strTitle);

    m_pBack = Place(new QPushButton(QStringLiteral("戻る"), this), du.Rect(126, 178, 41, 14),
                    "back", QStringLiteral("戻る"));
    m_pBack->setDefault(true);

    m_pList = Place(new QListWidget(this), du.Rect(22, 22, 136, 11), "list", kListName);
    m_pList->setUniformItemSizes(true);
    m_pList->setFocusPolicy(Qt::NoFocus);
    m_pList->setEnabled(false); // shows the file in use; never enabled

    m_pTimeLimit =
        Place(MakeSlider(this), du.Rect(44, 55, 114, 21), "sliderTime", QStringLiteral("制限時間"));
    m_pLife = Place(MakeSlider(this), du.Rect(44, 92, 114, 21), "sliderLife",
                    QStringLiteral("許容誤答数"));
    m_pQuestionCnt =
        Place(MakeSlider(this), du.Rect(44, 129, 115, 21), "sliderCount", QStringLiteral("出題数"));
    m_pTimeLimitText = Place(MakeValueText(this), du.Rect(23, 59, 20, 14), "textTime", kTimeName);
    m_pLifeText = Place(MakeValueText(this), du.Rect(23, 95, 20, 14), "textLife", kLifeName);
    m_pQuestionCntText =
        Place(MakeValueText(this), du.Rect(23, 133, 20, 14), "textCount", kCountName);

    m_pSave = Place(new QPushButton(QStringLiteral("設定保存"), this), du.Rect(126, 162, 41, 14),
                    "save", QStringLiteral("設定保存"));

    auto* pInOrder = Place(new QRadioButton(QStringLiteral("登録順"), this),
                           du.Rect(26, 172, 35, 11), "seqInOrder", QStringLiteral("登録順"));
    auto* pRandom = Place(new QRadioButton(QStringLiteral("ランダム"), this),
                          du.Rect(73, 172, 34, 11), "seqRandom", QStringLiteral("ランダム"));
    m_pSeq = new QButtonGroup(this);
    m_pSeq->addButton(pInOrder, 0);
    m_pSeq->addButton(pRandom, 1);

    setTabOrder(m_pBack, m_pSave);
    setTabOrder(m_pSave, pInOrder);
    setTabOrder(pInOrder, pRandom);

    connect(m_pBack, &QPushButton::clicked, this, [this] {
        UpdateData(true);
        accept();
    });
    connect(m_pSave, &QPushButton::clicked, this, &CSettingDlg::OnSave);
    new CEnterEscFilter(this);

    OnInitDialog();
    m_pBack->setFocus();
}

void CSettingDlg::OnInitDialog()
{
    UpdateData(false);

    // Question files and settings are looked up relative to the current directory, as the
    // quiz looks them up when it draws a question.
    m_names = QuestionFileList::List(".");
    QStringList items;
    items.reserve(static_cast<qsizetype>(m_names.size()));
    for (const std::string& name : m_names)
        items.append(ToQString(name));
    m_pList->clear();
    m_pList->addItems(items);

    m_strStoredQuestion = m_profile.Get(ProfileKeys::kQuestionFile);
    m_stored = {m_profile.Stored(ProfileKeys::kQuestionFile), m_profile.Stored(ProfileKeys::kLife),
                m_profile.Stored(ProfileKeys::kTimeLimit),
                m_profile.Stored(ProfileKeys::kQuestionCount),
                m_profile.Stored(ProfileKeys::kOrder)};
    if (const auto index = QuestionFileList::FindPrefix(m_names, m_strStoredQuestion)) {
        m_pList->setCurrentRow(static_cast<int>(*index));
        m_pList->scrollToItem(m_pList->currentItem(), QAbstractItemView::PositionAtTop);
    }
    // The list is disabled and one line high: its name carries the file it shows.
    const QListWidgetItem* pShown = m_pList->currentItem();
    SetAccessibleName(m_pList, pShown ? kListName + u' ' + pShown->text() : kListName);

    std::optional<std::int64_t> records;
    if (const auto path = PathInCurrentDir(ShownQuestionName()))
        records = QuestionFileList::RecordsIn(*path);

    const int nLife = m_profile.Get(ProfileKeys::kShownLife);
    const int nTimeLimit = m_profile.Get(ProfileKeys::kShownTimeLimit);
    const int nQuestionCnt = m_profile.Get(ProfileKeys::kShownQuestionCount);
    const int nSeq = m_profile.Get(ProfileKeys::kOrder);

    SetUpSlider(m_pTimeLimit, 1, 60, nTimeLimit);
    SetUpSlider(m_pLife, 3, 99, nLife);
    SetUpSlider(m_pQuestionCnt, 1, QuestionFileList::CountSliderMax(records, nQuestionCnt),
                nQuestionCnt);
    m_nStoredCount = nQuestionCnt;
    m_nCountAtInit = m_pQuestionCnt->value();

    m_nSeq = nSeq != 0 ? 1 : 0;
    // The texts show the stored values, even where a slider had to clamp them, and change
    // only here: moving a slider leaves them alone until the next save re-reads the file.
    m_strTimeLimit = QString::number(nTimeLimit) + QStringLiteral("秒");
    m_strLife = QString::number(nLife) + QStringLiteral("回");
    m_strQuestionCnt = QString::number(nQuestionCnt) + QStringLiteral("問");

    UpdateData(false);
}

void CSettingDlg::OnSave()
{
    const std::string strName = ShownQuestionName();
    std::optional<std::int64_t> records;
    if (const auto path = PathInCurrentDir(strName))
        records = QuestionFileList::RecordsIn(*path);

    if (AfxMessageBox(QStringLiteral("設定保存しても宜しいですか?"), MB_YESNO | MB_ICONQUESTION) ==
        IDYES) {
        // Only what differs from what the dialog showed, all in one replacement of the file.
        std::vector<ProfileWrite> changes;
        auto change = [&](std::size_t nIndex, auto setting, std::string strValue) {
            if (m_stored[nIndex] != strValue)
                changes.push_back({setting.section, setting.entry, std::move(strValue)});
        };
        change(0, ProfileKeys::kQuestionFile, strName);
        change(1, ProfileKeys::kLife, std::to_string(m_pLife->value()));
        change(2, ProfileKeys::kTimeLimit, std::to_string(m_pTimeLimit->value()));
        if (const auto nCount =
                QuestionFileList::CountToStore(m_pQuestionCnt->value(), records, m_nStoredCount,
                                               m_pQuestionCnt->value() != m_nCountAtInit))
            change(3, ProfileKeys::kQuestionCount, std::to_string(*nCount));
        UpdateData(true);
        change(4, ProfileKeys::kOrder, std::to_string(m_nSeq));
        int nErrno = 0;
        if (!changes.empty() && !m_profile.WriteEntries(changes, &nErrno)) {
            const QString reason = nErrno
                                       ? QString::fromStdString(WriteErrorText(nErrno))
                                       : QStringLiteral("%1 を読み込めません")
                                             .arg(QString::fromUtf8(ProfileKeys::kFileName.data(),
                                                                    ProfileKeys::kFileName.size()));
            AfxMessageBox(QStringLiteral("設定を保存できませんでした（%1）。").arg(reason),
                          MB_OK | MB_ICONSTOP);
            OnInitDialog();
            return;
        }
        // Saved all the same; a round would refuse the file, so say why now.
        const std::optional<std::filesystem::path> path = PathInCurrentDir(strName);
        if (const std::string strProblem = path ? QuestionFileList::ProblemText(*path) : "";
            !strProblem.empty())
            AfxMessageBox(QStringLiteral("問題ファイル「%1」\n%2")
                              .arg(ToQString(ShortName(strName)), ToQString(strProblem)),
                          MB_OK | MB_ICONINFORMATION);
    }
    OnInitDialog();
}

void CSettingDlg::UpdateData(bool bSaveAndValidate)
{
    if (bSaveAndValidate) {
        m_nSeq = m_pSeq->checkedId();
        return;
    }
    ShowLabelValue(m_pQuestionCntText, kCountName, m_strQuestionCnt);
    ShowLabelValue(m_pLifeText, kLifeName, m_strLife);
    ShowLabelValue(m_pTimeLimitText, kTimeName, m_strTimeLimit);
    if (QAbstractButton* pButton = m_pSeq->button(m_nSeq))
        pButton->setChecked(true);
}

// With nothing selected (the stored name begins no listed name) the stored name is kept, so a
// save never replaces the file in use with an empty name that no round could open.
std::string CSettingDlg::ShownQuestionName() const
{
    const int nRow = m_pList->currentRow();
    if (nRow >= 0 && static_cast<std::size_t>(nRow) < m_names.size())
        return m_names[static_cast<std::size_t>(nRow)];
    return m_strStoredQuestion;
}
