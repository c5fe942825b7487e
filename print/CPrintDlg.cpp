#include "print/CPrintDlg.h"

#include "facts/FactsTable.h"
#include "platform/CDialogUnits.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

QRadioButton* AddRadio(QWidget* pParent, const QRect& rc, const QString& strText,
                       const char* szName)
{
    auto* pRadio = new QRadioButton(strText, pParent);
    pRadio->setObjectName(QString::fromLatin1(szName));
    pRadio->setGeometry(rc);
    return pRadio;
}

} // namespace

CPrintDlg::CPrintDlg(const QString& strQuestionFile, int nChosen, const PrintChoice& initial,
                     QWidget* pParent)
    : QDialog(pParent, kDialogWindowFlags), m_nChosen(nChosen)
{
    setWindowTitle(QStringLiteral("印刷用PDFを作成"));
    setObjectName(QStringLiteral("printDialog"));
    setFont(DialogFont());
    const CDialogUnits du(font());
    setFixedSize(du.Size(232, 154));

    auto* pWhat = new QGroupBox(QStringLiteral("作るもの"), this);
    pWhat->setGeometry(du.Rect(7, 4, 218, 58));
    m_pKind = new QButtonGroup(this);
    const struct
    {
        PrintRequest::Kind kind;
        const char* szText;
        const char* szName;
    } kinds[] = {
        {PrintRequest::Kind::Sheet, "問題プリント(&S)", "kindSheet"},
        {PrintRequest::Kind::Cards, "国旗カード（表に国旗、裏に国の情報）(&C)", "kindCards"},
        {PrintRequest::Kind::Map, "白地図(&M)", "kindMap"}};
    for (int i = 0; i < 3; ++i)
        m_pKind->addButton(AddRadio(pWhat, du.Rect(7, 12 + 14 * i, 200, 10),
                                    QString::fromUtf8(kinds[i].szText), kinds[i].szName),
                           int(kinds[i].kind));
    m_pArea = new QComboBox(pWhat);
    m_pArea->setObjectName(QStringLiteral("area"));
    m_pArea->setAccessibleName(QStringLiteral("白地図の範囲"));
    m_pArea->setGeometry(du.Rect(60, 38, 80, 13));
    m_pArea->addItem(QStringLiteral("世界"), -1);
    for (std::size_t i = 0; i < Facts::kContinents.size(); ++i)
        m_pArea->addItem(QString::fromUtf8(Facts::kContinents[i].data(),
                                           qsizetype(Facts::kContinents[i].size())) +
                             QStringLiteral("州"),
                         int(i));

    auto* pFrom = new QGroupBox(QStringLiteral("元にするもの"), this);
    pFrom->setGeometry(du.Rect(7, 65, 218, 40));
    m_pFromFile =
        AddRadio(pFrom, du.Rect(7, 12, 204, 10),
                 QStringLiteral("問題ファイル「%1」(&F)").arg(strQuestionFile), "fromFile");
    m_pFromZukan =
        AddRadio(pFrom, du.Rect(7, 25, 204, 10),
                 nChosen > 0 ? QStringLiteral("国旗図鑑で選んだ国（%1か国）(&Z)").arg(nChosen)
                             : QStringLiteral("国旗図鑑で選んだ国（図鑑で国を選ぶと使えます）(&Z)"),
                 "fromZukan");

    auto* pPaperLabel = new QLabel(QStringLiteral("用紙(&P):"), this);
    pPaperLabel->setGeometry(du.Rect(9, 113, 30, 10));
    m_pPaper = new QComboBox(this);
    m_pPaper->setObjectName(QStringLiteral("paper"));
    m_pPaper->setGeometry(du.Rect(40, 111, 56, 13));
    m_pPaper->addItem(QStringLiteral("A4"));
    m_pPaper->addItem(QStringLiteral("B5"));
    pPaperLabel->setBuddy(m_pPaper);
    m_pKey = new QCheckBox(QStringLiteral("解答を付ける(&K)"), this);
    m_pKey->setObjectName(QStringLiteral("answerKey"));
    m_pKey->setGeometry(du.Rect(110, 112, 110, 10));

    auto* pOk = new QPushButton(QStringLiteral("作成"), this);
    pOk->setObjectName(QStringLiteral("make"));
    pOk->setGeometry(du.Rect(121, 133, 50, 14));
    pOk->setDefault(true);
    auto* pCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    pCancel->setObjectName(QStringLiteral("cancel"));
    pCancel->setGeometry(du.Rect(175, 133, 50, 14));
    connect(pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(pCancel, &QPushButton::clicked, this, &QDialog::reject);

    m_pKind->button(int(initial.kind))->setChecked(true);
    m_pArea->setCurrentIndex(std::max(0, m_pArea->findData(initial.nContinent)));
    (initial.bFromZukan && nChosen > 0 ? m_pFromZukan : m_pFromFile)->setChecked(true);
    m_pPaper->setCurrentIndex(initial.paper == Paper::B5 ? 1 : 0);
    m_pKey->setChecked(initial.bAnswerKey);
    connect(m_pKind, &QButtonGroup::idToggled, this, &CPrintDlg::OnKindChanged);
    OnKindChanged();
}

void CPrintDlg::OnKindChanged()
{
    const auto kind = PrintRequest::Kind(m_pKind->checkedId());
    // The map is of a 州 or the world, whatever the source; cards carry no key.
    m_pArea->setEnabled(kind == PrintRequest::Kind::Map);
    m_pFromFile->setEnabled(kind != PrintRequest::Kind::Map);
    m_pFromZukan->setEnabled(kind != PrintRequest::Kind::Map && m_nChosen > 0);
    m_pKey->setEnabled(kind != PrintRequest::Kind::Cards);
}

PrintChoice CPrintDlg::Choice() const
{
    PrintChoice choice;
    choice.kind = PrintRequest::Kind(m_pKind->checkedId());
    choice.nContinent = m_pArea->currentData().toInt();
    choice.bFromZukan = m_pFromZukan->isChecked() && m_nChosen > 0;
    choice.paper = m_pPaper->currentIndex() == 1 ? Paper::B5 : Paper::A4;
    choice.bAnswerKey = m_pKey->isChecked();
    return choice;
}
