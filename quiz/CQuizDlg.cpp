#include "quiz/CQuizDlg.h"

#include "platform/Accessibility.h"
#include "platform/CDialogUnits.h"
#include "platform/CEnterEscFilter.h"
#include "platform/FlagOutline.h"
#include "platform/MessageBox.h"
#include "platform/ProfileStore.h"
#include "platform/QtText.h"
#include "platform/Resources.h"
#include "platform/Sound.h"
#include "quiz/CAnswerArea.h"
#include "quiz/CAnswerKeyFilter.h"
#include "quiz/CBitmap.h"
#include "quiz/CColorStatic.h"
#include "quiz/CFlagAnswers.h"
#include "quiz/CJudgeDlg.h"
#include "quiz/CPositionAnswers.h"
#include "quiz/CRoundCommands.h"
#include "quiz/CTypedAnswerField.h"
#include "quiz/LampName.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int kFirstButtonId = 1010;
constexpr int kWaveCorrect = 145;
constexpr int kWaveWrong = 146;
const QString kRateName = QStringLiteral("正解率");
const std::string_view kAnswerGroupTitle = "*解答群";

struct ButtonDef
{
    int nId;
    const char* szText;
    const char* szName;
    int x, y, cx, cy;
};

// Template order, which is also the tab order.
constexpr ButtonDef kButtons[] = {
    {1010, "1", "answer1", 62, 167, 27, 16},  {1011, "2", "answer2", 100, 167, 27, 16},
    {1012, "3", "answer3", 138, 167, 27, 16}, {1013, "4", "answer4", 176, 167, 27, 16},
    {1015, "編集", "edit", 117, 207, 40, 21}, {1016, "開始", "start", 21, 207, 40, 21},
    {1017, "停止", "stop", 69, 207, 40, 21},  {1018, "終了", "exit", 165, 207, 40, 21},
};

struct GroupDef
{
    const char* szTitle;
    int x, y, cx, cy;
};

constexpr GroupDef kGroups[] = {
    {"*正解率", 13, 155, 36, 34},
    {"*各種ボタン", 13, 193, 200, 44},
    {"*回答ボタン", 54, 155, 159, 34},
    {"*制限時間", 13, 243, 332, 33},
    {"*解答群", 13, 47, 293, 102},
    {"*問題", 13, 10, 332, 33},
    {"", 311, 47, 34, 102},
};

QLabel* SunkenStatic(QWidget* pParent, const QRect& rect, const QString& text)
{
    auto* pLabel = new QLabel(text, pParent);
    pLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pLabel->setAlignment(Qt::AlignCenter);
    pLabel->setGeometry(rect);
    pLabel->setAccessibleName(text);
    return pLabel;
}

QLineEdit* ReadOnlyEdit(QWidget* pParent, const QRect& rect, const QString& name,
                        const QString& accessibleName)
{
    auto* pEdit = new QLineEdit(pParent);
    pEdit->setObjectName(name);
    pEdit->setReadOnly(true);
    pEdit->setGeometry(rect);
    pEdit->setAccessibleName(accessibleName);
    return pEdit;
}

void ShowText(QLineEdit* pEdit, const std::string& cp932)
{
    pEdit->setText(ToQString(cp932));
    pEdit->setCursorPosition(0); // show the start of the text, as a fresh edit control does
}

} // namespace

CQuizDlg::CQuizDlg(ProfileStore& profile, QWidget* pParent, QuizTiming timing)
    : QDialog(pParent, kDialogWindowFlags), m_profile(profile), m_timing(timing),
      m_round(profile, *this, m_random, [] { return std::time(nullptr); })
{
    setWindowTitle(QStringLiteral("Marelto Ver1.0～首都・地域・公用語まで"));
    setObjectName(QStringLiteral("quizDialog"));
    setFont(DialogFont());
    CreateMenu();
    CreateControls();
    m_pEnterEsc = new CEnterEscFilter(this);
    m_pEnterEsc->LetEnterThrough(m_pTypedField->Field());
    new CAnswerKeyFilter(this, {m_pButtons[0], m_pButtons[1], m_pButtons[2], m_pButtons[3]});

    m_timer.setInterval(m_timing.nQuestionTickMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { m_round.OnTimer(kQuestionTimer); });

    // What the window's own initialisation does: Stop and the answers wait for a round.
    for (int nId : {IDC_BUTTON_STOP, IDC_BUTTON_ANSWER1, IDC_BUTTON_ANSWER2, IDC_BUTTON_ANSWER3,
                    IDC_BUTTON_ANSWER4})
        EnableControl(nId, false);
    m_nSound = m_profile.Get(ProfileKeys::kSound);
    m_round.m_nSeq = m_profile.Get(ProfileKeys::kOrder);
    m_pSoundAction->setChecked(m_nSound == 1);

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &CQuizDlg::ShowSystemMenu);
}

CQuizDlg::~CQuizDlg() = default;

void CQuizDlg::CreateControls()
{
    const CDialogUnits du(font());
    auto rect = [&](int x, int y, int cx, int cy) {
        return du.Rect(x, y, cx, cy).translated(0, m_nTop);
    };
    setFixedSize(du.X(358), du.Y(292) + m_nTop);
    findChild<QMenuBar*>()->setFixedWidth(width());

    QGroupBox* pAnswerGroup = nullptr;
    for (const GroupDef& g : kGroups) {
        auto* pGroup = new QGroupBox(QString::fromUtf8(g.szTitle), this);
        pGroup->setGeometry(rect(g.x, g.y, g.cx, g.cy));
        if (g.szTitle == kAnswerGroupTitle)
            pAnswerGroup = pGroup;
    }

    m_pQuestion = ReadOnlyEdit(this, rect(19, 23, 306, 12), QStringLiteral("question"),
                               QStringLiteral("問題"));
    const int answerY[4] = {59, 80, 101, 122};
    for (int i = 0; i < 4; ++i)
        m_pAnswers[i] = ReadOnlyEdit(this, rect(35, answerY[i], 248, 13),
                                     QStringLiteral("answerText%1").arg(i + 1),
                                     QStringLiteral("解答%1").arg(i + 1));
    const int lampY[3] = {80, 101, 123};
    for (int i = 0; i < 3; ++i) {
        m_pLamps[i] = new CColorStatic(this);
        m_pLamps[i]->setObjectName(QStringLiteral("lamp%1").arg(i + 1));
        m_pLamps[i]->setAccessibleName(ToQString(LampName(i + 1, std::nullopt)));
        m_pLamps[i]->setGeometry(rect(317, lampY[i], 23, 18));
    }
    QLabel* pLampHead = SunkenStatic(this, rect(317, 59, 23, 18), QStringLiteral("*誤答残数"));
    pLampHead->setWordWrap(true);

    m_pTimeBar = new QProgressBar(this);
    m_pTimeBar->setObjectName(QStringLiteral("timeBar"));
    m_pTimeBar->setAccessibleName(QStringLiteral("制限時間"));
    m_pTimeBar->setTextVisible(false);
    m_pTimeBar->setRange(0, 100);
    m_pTimeBar->setValue(0);
    m_pTimeBar->setGeometry(rect(19, 255, 305, 14));

    for (const ButtonDef& b : kButtons) {
        auto* pButton = new QPushButton(QString::fromUtf8(b.szText), this);
        pButton->setObjectName(QString::fromLatin1(b.szName));
        pButton->setAccessibleName(pButton->text());
        pButton->setGeometry(rect(b.x, b.y, b.cx, b.cy));
        pButton->setAutoDefault(false);
        m_pButtons[b.nId - kFirstButtonId] = pButton;
    }
    m_pRate = SunkenStatic(this, rect(19, 167, 25, 14), QString());
    m_pRate->setObjectName(QStringLiteral("rate"));
    ShowLabelValue(m_pRate, kRateName, QString());
    std::vector<QWidget*> textRows(m_pAnswers, m_pAnswers + 4);
    for (int i = 0; i < 4; ++i)
        textRows.push_back(
            SunkenStatic(this, rect(18, answerY[i], 12, 14), QString::number(i + 1)));
    m_pAnswerArea = std::make_unique<CAnswerArea>(pAnswerGroup);
    m_pAnswerArea->AddVariant(textRows, QStringLiteral("解答は1番から4番の文です"));

    m_pFlag = new QLabel(this);
    m_pFlag->setObjectName(QStringLiteral("flag"));
    m_pFlag->setAccessibleName(QStringLiteral("国旗"));
    m_pFlag->setGeometry(rect(261, 172, 13, 14));

    m_pFlagAnswers = std::make_unique<CFlagAnswers>(
        this, rect,
        std::array<QPushButton*, 4>{m_pButtons[0], m_pButtons[1], m_pButtons[2], m_pButtons[3]});
    m_nFlagVariant = m_pAnswerArea->AddVariant(
        m_pFlagAnswers->Widgets(), QStringLiteral("解答は左から1番から4番の4つの国旗です"));
    m_pTypedField = std::make_unique<CTypedAnswerField>(
        this, rect, [this](const QString& typed) { m_round.JudgeTyped(typed.toStdString()); });
    m_nTypedVariant = m_pAnswerArea->AddVariant(m_pTypedField->Widgets(),
                                                QStringLiteral("解答は入力欄に入力します"));

    // The edit button stays disabled; nothing in the program enables it.
    m_pButtons[IDC_BUTTON_EDIT - kFirstButtonId]->setEnabled(false);
    m_pRoundCommands->Follow(m_pButtons[IDC_BUTTON_START - kFirstButtonId]);

    auto on = [this](int nId, auto fn) {
        connect(m_pButtons[nId - kFirstButtonId], &QPushButton::clicked, this, fn);
    };
    on(IDC_BUTTON_START, [this] { OnButtonStart(); });
    on(IDC_BUTTON_STOP, [this] { OnButtonStop(); });
    on(IDC_BUTTON_EDIT, [this] { OnButtonEdit(); });
    on(1018, [this] { OnButtonExit(); });
    for (int n = 1; n <= 4; ++n)
        on(kFirstButtonId + n - 1, [this, n] { m_round.JudgeAnswer(n); });

    // Focus starts on the first control that takes it, the question.
    m_pQuestion->setFocus();
}

void CQuizDlg::SetPositionAnswers(CPositionAnswers* pMap)
{
    m_pPositionAnswers = pMap;
    const CDialogUnits du(font());
    pMap->setGeometry(du.Rect(17, 57, 285, 88).translated(0, m_nTop));
    m_nPositionVariant =
        m_pAnswerArea->AddVariant({pMap}, QStringLiteral("解答は地図の上の1番から4番の国です"));
    // A candidate answers exactly when its button would.
    pMap->OnChosen([this](int nAnswer) {
        QPushButton* pButton = m_pButtons[nAnswer - 1];
        if (nAnswer >= 1 && nAnswer <= 4 && pButton->isEnabled())
            pButton->click();
    });
    pMap->OnPointed(
        [this](std::string_view code, bool bRight) { m_round.JudgePointed(code, bRight); });
    m_pEnterEsc->LetEnterThrough(pMap);
}

void CQuizDlg::paintEvent(QPaintEvent* pEvent)
{
    QDialog::paintEvent(pEvent);
    if (!m_bPainted) {
        m_bPainted = true;
        if (m_afterFirstPaint)
            QTimer::singleShot(0, this, [this] { m_afterFirstPaint(); });
    }
}

void CQuizDlg::OnButtonExit()
{
    // A running round just stops with the window: no end message.
    reject();
    g_bmpFlag.DeleteObject();
}

void CQuizDlg::PlaySoundEffect(int nSound, int nKind)
{
    if (nSound != 1)
        return;
    if (nKind == kEffectCorrect)
        PlayWaveResource(kWaveCorrect);
    else if (nKind == kEffectWrong)
        PlayWaveResource(kWaveWrong);
}

void CQuizDlg::StartTimer()
{
    m_timer.start();
}

void CQuizDlg::StopTimer()
{
    m_timer.stop();
}

void CQuizDlg::EnableControl(int nId, bool bEnable)
{
    if (nId >= kFirstButtonId && nId <= 1018 && m_pButtons[nId - kFirstButtonId])
        m_pButtons[nId - kFirstButtonId]->setEnabled(bEnable);
    m_pFlagAnswers->SetEnabled(nId - IDC_BUTTON_ANSWER1 + 1, bEnable);
    if (nId == IDC_EDIT_ANSWER)
        m_pTypedField->SetEnabled(bEnable);
}

void CQuizDlg::SetLampColor(int nLamp, std::uint32_t nColor)
{
    if (nLamp < 1 || nLamp > 3)
        return;
    m_pLamps[nLamp - 1]->SetColor(nColor);
    SetAccessibleName(m_pLamps[nLamp - 1], ToQString(LampName(nLamp, nColor)));
}

void CQuizDlg::SetTimeRange(int nMax)
{
    // The bar's range is 16 bits wide, as it always was. An empty range stays an empty bar
    // (Qt would show a busy indicator for 0..0).
    m_nTimeMax = static_cast<std::uint16_t>(nMax);
    m_pTimeBar->setRange(0, std::max(m_nTimeMax, 1));
    m_pTimeBar->setValue(0);
}

void CQuizDlg::SetTimePos(int nPos)
{
    m_pTimeBar->setValue(std::clamp(nPos, 0, m_nTimeMax));
}

void CQuizDlg::Judge(const std::string& strVerdict, const std::string& strCorrect)
{
    if (m_bPositionShown)
        m_pPositionAnswers->Reveal();
    CJudgeDlg dlg(this, m_timing.nJudgeTickMs);
    dlg.SetTexts(ToQString(strVerdict), ToQString(strCorrect));
    dlg.exec();
}

void CQuizDlg::PlayEffect(int nKind)
{
    PlaySoundEffect(m_nSound, nKind);
}

int CQuizDlg::MessageBox(const std::string& strText, unsigned nType)
{
    return AfxMessageBox(strText, nType);
}

void CQuizDlg::ShowFlag(std::optional<int> nBitmapId)
{
    g_bmpFlag.DeleteObject();
    if (nBitmapId)
        g_bmpFlag.Attach(LoadFlagBitmap(*nBitmapId));
    if (g_bmpFlag.IsEmpty()) {
        m_pFlag->clear();
        return;
    }
    m_pFlag->setPixmap(OutlinedFlag(QPixmap::fromImage(g_bmpFlag.Image()), palette()));
    m_pFlag->resize(g_bmpFlag.Image().size()); // the control takes the picture's size
}

void CQuizDlg::ShowFlagChoice(const std::optional<std::array<std::string, 4>>& codes)
{
    m_pFlagAnswers->SetCodes(codes.value_or(std::array<std::string, 4>{}));
    const bool bTyped = !codes && m_round.IsTypingQuestion();
    m_pAnswerArea->Show(codes              ? m_nFlagVariant
                        : m_bPositionShown ? m_nPositionVariant
                        : bTyped           ? m_nTypedVariant
                                           : 0);
    if (bTyped)
        m_pTypedField->Field()->setFocus(); // shown now, so it can take the focus
    if (m_bPositionShown && m_round.IsPointingQuestion())
        m_pPositionAnswers->setFocus(); // its arrow keys and Enter answer
}

void CQuizDlg::ShowPosition(const std::optional<std::array<std::string, 4>>& codes,
                            const std::string& strAsked, bool bPointing)
{
    m_bPositionShown = codes && m_pPositionAnswers;
    if (m_bPositionShown)
        m_pPositionAnswers->ShowQuestion(*codes, strAsked, bPointing);
}

std::string CQuizDlg::CountryName(const std::string& strCode)
{
    return m_pPositionAnswers ? m_pPositionAnswers->NameOf(strCode) : strCode;
}

void CQuizDlg::UpdateData()
{
    ShowText(m_pQuestion, m_round.m_strQuestion);
    // The hidden rows of a question answered on the map keep no code a screen reader could read.
    for (int i = 0; i < 4; ++i)
        ShowText(m_pAnswers[i], m_bPositionShown
                                    ? std::string()
                                    : m_round.m_strAnswers[static_cast<std::size_t>(i)]);
    ShowLabelValue(m_pRate, kRateName, ToQString(m_round.m_strRate));
}
