#include "quiz/CTypedAnswerField.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// Dialog units: the width of the text rows, in the middle of the group.
constexpr int kX = 35;
constexpr int kWidth = 248;
constexpr int kPromptY = 78;
constexpr int kFieldY = 92;
constexpr int kFieldHeight = 14;
constexpr int kMaxLength = 80; // as long as an answer of the file may be

} // namespace

CTypedAnswerField::CTypedAnswerField(QWidget* pWindow,
                                     const std::function<QRect(int, int, int, int)>& rect,
                                     std::function<void(const QString&)> onEnter)
{
    auto* pPrompt =
        new QLabel(QStringLiteral("答えを入力して Enter キーを押してください"), pWindow);
    pPrompt->setObjectName(QStringLiteral("answerPrompt"));
    pPrompt->setGeometry(rect(kX, kPromptY, kWidth, 10));

    m_pField = new QLineEdit(pWindow);
    m_pField->setObjectName(QStringLiteral("answerInput"));
    m_pField->setAccessibleName(QStringLiteral("解答入力"));
    m_pField->setAccessibleDescription(pPrompt->text());
    m_pField->setMaxLength(kMaxLength);
    m_pField->setGeometry(rect(kX, kFieldY, kWidth, kFieldHeight));
    m_pField->setEnabled(false);
    pPrompt->setBuddy(m_pField);
    QObject::connect(
        m_pField, &QLineEdit::returnPressed, m_pField,
        [pField = m_pField, onEnter = std::move(onEnter)] { onEnter(pField->text()); });
    m_widgets = {pPrompt, m_pField};
}

void CTypedAnswerField::SetEnabled(bool bEnable)
{
    if (bEnable)
        m_pField->clear(); // a new question: nothing typed yet
    m_pField->setEnabled(bEnable);
}
