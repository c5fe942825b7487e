#include "editor/CEditDlg.h"

#include "editor/CFlagPreview.h"
#include "editor/CPlacePreview.h"

#include "platform/Accessibility.h"
#include "platform/CDialogUnits.h"
#include "platform/CEnterEscFilter.h"
#include "platform/File.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/ProfileStore.h"
#include "platform/QtText.h"
#include "quiz/QuestionRecord.h"
#include "quiz/RoundFile.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>

namespace {

constexpr int kPreviewWidth = 80; // the flag panel right of the template's controls

const std::array<QString, 5> kFieldNames = {QStringLiteral("問題"), QStringLiteral("解答1"),
                                            QStringLiteral("解答2"), QStringLiteral("解答3"),
                                            QStringLiteral("解答4")};

// The text members in the order of the fields: the question block, then answers 1-4.
std::array<std::string*, 5> TextMembers(EditMembers& members)
{
    return {&members.strQuestion, &members.answers[0], &members.answers[1], &members.answers[2],
            &members.answers[3]};
}

template <typename Widget>
Widget* Place(Widget* pWidget, const QRect& rect, const char* szName, const QString& accessible)
{
    pWidget->setGeometry(rect);
    pWidget->setObjectName(QLatin1String(szName));
    pWidget->setAccessibleName(accessible);
    return pWidget;
}

// A drop-down list that opens below its box, as on the question files' home platform. The
// styles that lay the list over the box measure every entry first, which stalls on a file of
// 100,000 records.
class CDropDownListStyle : public QProxyStyle
{
  public:
    int styleHint(StyleHint hint, const QStyleOption* pOption, const QWidget* pWidget,
                  QStyleHintReturn* pReturn) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, pOption, pWidget, pReturn);
    }
};

bool Confirm(const QString& text)
{
    return AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

} // namespace

CEditDlg::CEditDlg(ProfileStore& profile, QWidget* pParent)
    : QDialog(pParent, kDialogWindowFlags), m_profile(profile)
{
    setWindowTitle(QStringLiteral("編集画面"));
    setFont(DialogFont());
    setFixedSize(CDialogUnits(font()).Size(291 + kPreviewWidth + 6, 199));
    CreateControls();
    new CEnterEscFilter(this);

    m_strFileName = m_profile.Get(ProfileKeys::kQuestionFile);
    ShowLabelValue(m_pFileName, QStringLiteral("問題ファイル名"), ToQString(m_strFileName));
    // A file that cannot be opened still leaves the editor open, with nothing to choose.
    const EditResult result = RunOnFile(&QuestionFile::Count);
    FillNumbers(result.Ok() ? result.nCount : 0, -1);
    // An empty file or one with a broken tail can still be added to; the user hears of it first.
    if (const LengthProblem problem = CheckLength(result.nLength);
        result.Ok() && problem != LengthProblem::None)
        AfxMessageBox(QStringLiteral("問題ファイル「%1」\n%2")
                          .arg(ToQString(ShortName(m_strFileName)),
                               ToQString(LengthProblemText(problem, result.nLength))),
                      MB_OK | MB_ICONINFORMATION);
    RefreshFields();
    m_pUpdate->setEnabled(false);
}

void CEditDlg::CreateControls()
{
    const CDialogUnits du(font());
    // Frames first, so the controls they surround lie above them.
    const struct
    {
        const char* szTitle;
        QRect rect;
    } groups[] = {
        {"正解", du.Rect(169, 82, 24, 99)},     {"■問題ファイル名", du.Rect(9, 9, 142, 31)},
        {"■問題番号", du.Rect(156, 9, 47, 31)}, {"■問題", du.Rect(9, 44, 272, 33)},
        {"■解答群", du.Rect(9, 82, 153, 99)},   {"■編集ボタン", du.Rect(199, 82, 83, 99)},
    };
    for (const auto& group : groups)
        (new QGroupBox(QString::fromUtf8(group.szTitle), this))->setGeometry(group.rect);

    // The rest in template order, which is also the tab order.
    auto* pBack = Place(new QPushButton(QStringLiteral("戻る"), this), du.Rect(244, 94, 31, 18),
                        "back", QStringLiteral("戻る"));
    pBack->setDefault(true);
    connect(pBack, &QPushButton::clicked, this, &CEditDlg::accept);

    m_pFileName = Place(new QLabel(this), du.Rect(16, 21, 128, 13), "fileName",
                        QStringLiteral("問題ファイル名"));
    m_pFileName->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    // The template's 56 units include the dropped list; the box itself is as tall as its
    // neighbour. A string-list model and uniform rows keep 100,000 numbers quick to list.
    QRect numberRect = du.Rect(164, 21, 32, 56);
    numberRect.setHeight(du.Y(13));
    m_pNumber = Place(new QComboBox(this), numberRect, "questionNo", QStringLiteral("問題番号"));
    m_pNumbers = new QStringListModel(m_pNumber);
    m_pNumber->setModel(m_pNumbers);
    auto* pStyle = new CDropDownListStyle;
    pStyle->setParent(m_pNumber);
    m_pNumber->setStyle(pStyle);
    m_pNumber->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_pNumber->setMaxVisibleItems(5);
    if (auto* pView = qobject_cast<QListView*>(m_pNumber->view()))
        pView->setUniformItemSizes(true);
    connect(m_pNumber, &QComboBox::activated, this, &CEditDlg::OnSelchangeQuestionNo);

    m_fields[0] = Place(new QLineEdit(this), du.Rect(15, 56, 259, 14), "question", kFieldNames[0]);
    for (int i = 1; i <= 4; ++i)
        m_fields[static_cast<std::size_t>(i)] =
            Place(new QLineEdit(this), du.Rect(15, 94 + 16 * (i - 1), 141, 14),
                  QStringLiteral("answer%1").arg(i).toLatin1().constData(),
                  kFieldNames[static_cast<std::size_t>(i)]);

    m_pCorrect = new QButtonGroup(this);
    auto addRadio = [&](int nValue, int y) {
        auto* pRadio = Place(new QRadioButton(this), du.Rect(176, y, 10, 12),
                             QStringLiteral("correct%1").arg(nValue + 1).toLatin1().constData(),
                             QStringLiteral("正解%1").arg(nValue + 1));
        m_pCorrect->addButton(pRadio, nValue);
    };
    for (int i = 0; i < 4; ++i)
        addRadio(i, 95 + 16 * i);

    const struct
    {
        const char* szText;
        const char* szName;
        QRect rect;
        void (CEditDlg::*pHandler)();
    } buttons[] = {
        {"追加", "add", du.Rect(208, 94, 31, 18), &CEditDlg::OnAddQuestion},
        {"更新", "update", du.Rect(208, 136, 31, 18), &CEditDlg::OnUpdateQuestion},
        {"新規", "newFile", du.Rect(208, 115, 31, 18), &CEditDlg::OnNewFile},
        {"削除", "deleteFile", du.Rect(208, 157, 31, 18), &CEditDlg::OnDeleteFile},
    };
    for (const auto& button : buttons) {
        const QString text = QString::fromUtf8(button.szText);
        auto* pButton = Place(new QPushButton(text, this), button.rect, button.szName, text);
        connect(pButton, &QPushButton::clicked, this, button.pHandler);
        if (button.pHandler == &CEditDlg::OnUpdateQuestion)
            m_pUpdate = pButton;
    }

    // A fifth answer row that nothing reads or writes; choosing its button marks no answer.
    addRadio(4, 159);
    Place(new QLineEdit(this), du.Rect(15, 158, 141, 14), "answer5", QStringLiteral("解答5"));

    auto* pDelete = Place(new QPushButton(QStringLiteral("問削除"), this),
                          du.Rect(244, 116, 31, 18), "deleteQuestion", QStringLiteral("問削除"));
    connect(pDelete, &QPushButton::clicked, this, &CEditDlg::OnDeleteQuestion);

    // Right of the template's controls, so none of them moves.
    m_pFlagPreview = new CFlagPreview(this, du.Rect(288, 9, kPreviewWidth, 172), du.Y(40));
    // A position question's places take the flags' panel.
    m_pPlacePreview = new CPlacePreview(this, du.Rect(288, 9, kPreviewWidth, 172), du.Y(11));
    for (std::size_t i = 1; i <= 4; ++i)
        connect(m_fields[i], &QLineEdit::textChanged, this, &CEditDlg::UpdateFlagPreview);
}

// The flags or places of the record as 追加 or 更新 would write it now; the rules are the quiz's.
void CEditDlg::UpdateFlagPreview()
{
    std::array<std::string, 4> answers;
    for (std::size_t i = 0; i < 4; ++i) {
        std::optional<std::string> bytes = FromQString(m_fields[i + 1]->text());
        if (!bytes) {
            m_pFlagPreview->ShowCodes(std::nullopt);
            m_pPlacePreview->ShowPlaces(std::nullopt);
            m_pFlagPreview->show();
            return;
        }
        answers[i] = std::move(*bytes);
    }
    const QuestionRecord record = SplitRecord(ComposeRecord({}, answers, 0));
    const std::optional<std::array<std::string, 4>> places = PositionCodes(record);
    m_pFlagPreview->ShowCodes(FlagChoiceCodes(record));
    m_pPlacePreview->ShowPlaces(places);
    m_pFlagPreview->setVisible(!places);
}

// 問削除 holds the cancel role, so the close box deletes a question instead of closing.
void CEditDlg::reject()
{
    OnDeleteQuestion();
}

void CEditDlg::OnSelchangeQuestionNo()
{
    const int nNumber = ChosenNumber();
    const EditResult result =
        RunOnFile([nNumber](const auto& path) { return QuestionFile::Read(path, nNumber); });
    if (!result.Ok())
        return;
    LoadMembers(m_members, result.strRecord);
    m_pUpdate->setEnabled(true);
    RefreshFields();
}

void CEditDlg::OnAddQuestion()
{
    if (!Confirm(QStringLiteral("問題を追加します")))
        return;
    std::optional<EditMembers> saved = SavedMembers();
    if (!saved)
        return;
    const std::string strRecord = WriteMembers(*saved);
    const EditResult result =
        RunOnFile([&](const auto& path) { return QuestionFile::Append(path, strRecord); });
    if (!result.Ok())
        return;
    m_members = std::move(*saved);
    RefreshFields();
    FillNumbers(result.nCount, m_pNumber->currentIndex());
}

void CEditDlg::OnUpdateQuestion()
{
    if (!Confirm(QStringLiteral("更新しても宜しいですか?")))
        return;
    const int nNumber = ChosenNumber();
    std::optional<EditMembers> saved = SavedMembers();
    if (nNumber <= 0 || !saved)
        return;
    const std::string strRecord = WriteMembers(*saved);
    const EditResult result = RunOnFile(
        [&](const auto& path) { return QuestionFile::Overwrite(path, nNumber, strRecord); });
    if (!result.Ok())
        return;
    m_members = std::move(*saved);
    RefreshFields();
}

void CEditDlg::OnDeleteQuestion()
{
    const int nIndex = m_pNumber->currentIndex();
    if (nIndex < 0) {
        AfxMessageBox(QStringLiteral("問題を選択して下さい"), MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (!Confirm(QStringLiteral("問題を削除します")))
        return;
    const EditResult result =
        RunOnFile([nIndex](const auto& path) { return QuestionFile::Remove(path, nIndex); });
    if (!result.Ok())
        return;
    // The fields keep the deleted question; only the button choice counts as saved. The number
    // is gone, so nothing is chosen and Update waits for the next choice.
    m_members.nCorrectAnswer = m_pCorrect->checkedId();
    FillNumbers(result.nCount, -1);
    m_pUpdate->setEnabled(false);
}

void CEditDlg::OnNewFile()
{
    m_members.nCorrectAnswer = m_pCorrect->checkedId();
    const QString chosen = RunFileDialog(FileDialogKind::Save);
    if (chosen.isEmpty() || !Confirm(QStringLiteral("問題ファイルを新規作成します")))
        return;
    const std::filesystem::path path = ToPath(chosen);
    const EditResult result = QuestionFile::Create(path);
    if (!result.Ok())
        ReportFailure(result, path);
}

void CEditDlg::OnDeleteFile()
{
    m_members.nCorrectAnswer = m_pCorrect->checkedId();
    const QString chosen = RunFileDialog(FileDialogKind::Open);
    if (chosen.isEmpty() || !Confirm(QStringLiteral("問題ファイルを削除します")))
        return;
    const std::filesystem::path path = ToPath(chosen);
    if (QuestionFile::IsProtected(path, m_strFileName)) {
        AfxMessageBox(QStringLiteral("設定問題につき削除出来ません"), MB_OK | MB_ICONSTOP);
        return;
    }
    std::string strError;
    if (!RemoveFile(path, &strError))
        AfxMessageBox(QStringLiteral("%1 を削除できませんでした。\n%2")
                          .arg(chosen, QString::fromLocal8Bit(strError.c_str())),
                      MB_OK | MB_ICONSTOP);
}

std::optional<std::filesystem::path> CEditDlg::QuestionPath() const
{
    const std::string strName = m_profile.Get(ProfileKeys::kQuestionFile);
    return PathInCurrentDir(strName);
}

template <typename Operation> EditResult CEditDlg::RunOnFile(Operation operation) const
{
    const std::optional<std::filesystem::path> path = QuestionPath();
    EditResult result = path ? operation(*path) : EditResult{EditStatus::OpenError, {}, 0, {}};
    if (!result.Ok())
        ReportFailure(result, path.value_or(std::filesystem::path()));
    return result;
}

void CEditDlg::ReportFailure(const EditResult& result, const std::filesystem::path& path) const
{
    if (result.status == EditStatus::OpenError) {
        AfxMessageBox(QStringLiteral("ファイルオープンエラー"), MB_OK | MB_ICONSTOP);
        return;
    }
    if (result.status == EditStatus::NotRegular) {
        AfxMessageBox(QStringLiteral("ファイルオープンエラー\n%1\n%2")
                          .arg(ToQString(ShortName(m_strFileName)), ToQString(NotRegularText())),
                      MB_OK | MB_ICONSTOP);
        return;
    }
    AfxMessageBox(QStringLiteral("%1 の読み書き中にエラーが発生しました。\n%2")
                      .arg(FromPath(path), QString::fromLocal8Bit(result.strError.c_str())),
                  MB_OK | MB_ICONSTOP);
}

std::optional<EditMembers> CEditDlg::SavedMembers() const
{
    EditMembers saved = m_members;
    const std::array<std::string*, 5> members = TextMembers(saved);
    for (std::size_t i = 0; i < members.size(); ++i) {
        const std::optional<std::string> bytes =
            SavedFieldBytes(*members[i], m_fields[i]->text().toStdString());
        if (!bytes) {
            AfxMessageBox(
                QStringLiteral("%1にファイルへ保存できない文字があります").arg(kFieldNames[i]),
                MB_OK | MB_ICONSTOP);
            return std::nullopt;
        }
        *members[i] = *bytes;
    }
    saved.nCorrectAnswer = m_pCorrect->checkedId();
    return saved;
}

void CEditDlg::RefreshFields()
{
    const std::array<std::string*, 5> members = TextMembers(m_members);
    for (std::size_t i = 0; i < members.size(); ++i) {
        m_fields[i]->setText(ToQString(*members[i]));
        m_fields[i]->setCursorPosition(0); // show the start, not the padding at the end
    }
    if (QAbstractButton* pButton = m_pCorrect->button(m_members.nCorrectAnswer)) {
        pButton->setChecked(true);
        return;
    }
    // An exclusive group never lets its last button go; clear it with the rule off.
    m_pCorrect->setExclusive(false);
    for (QAbstractButton* pButton : m_pCorrect->buttons())
        pButton->setChecked(false);
    m_pCorrect->setExclusive(true);
}

void CEditDlg::FillNumbers(std::int64_t nCount, int nKeep)
{
    QStringList numbers;
    numbers.reserve(static_cast<qsizetype>(nCount));
    for (std::int64_t i = 1; i <= nCount; ++i)
        numbers.append(QString::number(i));
    m_pNumbers->setStringList(numbers);
    m_pNumber->setCurrentIndex(nKeep < nCount ? nKeep : -1);
}

int CEditDlg::ChosenNumber() const
{
    return m_pNumber->currentIndex() < 0 ? 0 : m_pNumber->currentText().toInt();
}
