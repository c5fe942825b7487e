#pragma once

#include <QRect>
#include <QString>

#include <functional>
#include <vector>

class QLineEdit;
class QWidget;

// The answer area of a typed question: one field in the 解答群 area, under a line saying what to
// do. Any input method writes into it (no validator, so Japanese input works); Enter hands what
// was typed on. Enabled at each typed question, it starts empty.
class CTypedAnswerField
{
  public:
    // rect maps dialog units of the window's template to its pixels.
    CTypedAnswerField(QWidget* pWindow, const std::function<QRect(int, int, int, int)>& rect,
                      std::function<void(const QString&)> onEnter);

    void SetEnabled(bool bEnable);
    QLineEdit* Field() const { return m_pField; }
    const std::vector<QWidget*>& Widgets() const { return m_widgets; }

  private:
    QLineEdit* m_pField;
    std::vector<QWidget*> m_widgets; // the line above and the field
};
