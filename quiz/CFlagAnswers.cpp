#include "quiz/CFlagAnswers.h"

#include "quiz/CFlagButton.h"

#include <QLabel>
#include <QPushButton>

namespace {

// Cells in dialog units: four across the group, 69 wide, 3 apart; the number above the flag.
constexpr int kCellX = 17;
constexpr int kCellWidth = 69;
constexpr int kCellGap = 3;
constexpr int kNumberY = 56;
constexpr int kFlagY = 69;
constexpr int kFlagHeight = 76;

} // namespace

CFlagAnswers::CFlagAnswers(QWidget* pWindow, const std::function<QRect(int, int, int, int)>& rect,
                           const std::array<QPushButton*, 4>& buttons)
{
    for (int i = 0; i < 4; ++i) {
        const int x = kCellX + i * (kCellWidth + kCellGap);
        auto* pNumber = new QLabel(QString::number(i + 1), pWindow);
        pNumber->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pNumber->setAlignment(Qt::AlignCenter);
        pNumber->setAccessibleName(pNumber->text());
        pNumber->setGeometry(rect(x + (kCellWidth - 12) / 2, kNumberY, 12, 11));

        auto* pFlag = new CFlagButton(pWindow);
        pFlag->setObjectName(QStringLiteral("answerFlag%1").arg(i + 1));
        // Names and descriptions say where a flag stands, never whose it is.
        pFlag->setAccessibleName(QStringLiteral("解答%1 国旗").arg(i + 1));
        pFlag->setAccessibleDescription(
            QStringLiteral("左から%1番目の国旗。押すと%1番で答えます").arg(i + 1));
        pFlag->setGeometry(rect(x, kFlagY, kCellWidth, kFlagHeight));
        pFlag->setEnabled(false);
        QObject::connect(pFlag, &QAbstractButton::clicked, buttons[static_cast<std::size_t>(i)],
                         &QPushButton::click);
        m_flags[static_cast<std::size_t>(i)] = pFlag;
        m_widgets.insert(m_widgets.end(), {pNumber, pFlag});
    }
}

void CFlagAnswers::SetCodes(const std::array<std::string, 4>& codes)
{
    for (std::size_t i = 0; i < 4; ++i)
        m_flags[i]->SetCode(codes[i]);
}

void CFlagAnswers::SetEnabled(int nAnswer, bool bEnable)
{
    if (nAnswer >= 1 && nAnswer <= 4)
        m_flags[static_cast<std::size_t>(nAnswer - 1)]->setEnabled(bEnable);
}
