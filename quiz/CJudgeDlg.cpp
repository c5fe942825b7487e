#include "quiz/CJudgeDlg.h"

#include "platform/Accessibility.h"
#include "platform/CDialogUnits.h"
#include "platform/CEnterEscFilter.h"

#include <QGroupBox>
#include <QLabel>

namespace {

QLabel* SunkenLine(QWidget* pParent, const QRect& rect, const char* szName)
{
    auto* pLabel = new QLabel(pParent);
    pLabel->setObjectName(QString::fromLatin1(szName));
    pLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pLabel->setAlignment(Qt::AlignCenter);
    pLabel->setGeometry(rect);
    return pLabel;
}

} // namespace

CJudgeDlg::CJudgeDlg(QWidget* pParent, int nTickMs) : QDialog(pParent, kDialogWindowFlags)
{
    MarkAsAlert(this);
    setWindowTitle(QStringLiteral("正誤判定"));
    setFont(DialogFont());
    const CDialogUnits du(font());
    setFixedSize(du.Size(86, 61));
    m_pFrame = new QGroupBox(this);
    m_pFrame->setGeometry(du.Rect(9, 3, 69, 50));
    m_pVerdict = SunkenLine(this, du.Rect(15, 14, 58, 13), "verdict");
    m_pCorrect = SunkenLine(this, du.Rect(15, 33, 58, 13), "correct");
    new CEnterEscFilter(this);

    m_timer.setInterval(nTickMs);
    connect(&m_timer, &QTimer::timeout, this, &CJudgeDlg::OnTimer);
}

void CJudgeDlg::SetTexts(const QString& strVerdict, const QString& strCorrect)
{
    m_pVerdict->setText(strVerdict);
    m_pCorrect->setText(strCorrect);
    const int nMargin = 2 * m_pCorrect->frameWidth() + m_pCorrect->fontMetrics().averageCharWidth();
    const int nWider =
        m_pCorrect->fontMetrics().horizontalAdvance(strCorrect) + nMargin - m_pCorrect->width();
    if (nWider > 0) {
        setFixedWidth(width() + nWider);
        for (QWidget* pWidget : std::initializer_list<QWidget*>{m_pFrame, m_pVerdict, m_pCorrect})
            pWidget->resize(pWidget->width() + nWider, pWidget->height());
    }
    // Both lines in one text, so the announcement on opening carries the whole verdict.
    setAccessibleDescription(strVerdict + u' ' + strCorrect);
}

void CJudgeDlg::showEvent(QShowEvent* pEvent)
{
    QDialog::showEvent(pEvent);
    AnnounceAlert(this);
    m_nTick = 0;
    m_timer.start();
}

void CJudgeDlg::OnTimer()
{
    // The first tick only counts; the second closes the popup, about two seconds after it opened.
    if (m_nTick == 1)
        done(1);
    else
        ++m_nTick;
}
