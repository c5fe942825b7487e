#pragma once

#include <QRect>

#include <array>
#include <functional>
#include <string>
#include <vector>

class CFlagButton;
class QPushButton;
class QWidget;

// The answers of a flag-choice question: four flags side by side in the 解答群 area, each under
// its number as the answer buttons are numbered. Pressing a flag presses its answer button, so
// a flag answers exactly when its button would, and is enabled with it.
class CFlagAnswers
{
  public:
    // rect maps dialog units of the window's template to its pixels.
    CFlagAnswers(QWidget* pWindow, const std::function<QRect(int, int, int, int)>& rect,
                 const std::array<QPushButton*, 4>& buttons);

    // The flags in shown order, as catalogue codes; empty codes show none.
    void SetCodes(const std::array<std::string, 4>& codes);
    void SetEnabled(int nAnswer, bool bEnable); // nAnswer 1-4
    const std::vector<QWidget*>& Widgets() const { return m_widgets; }

  private:
    std::array<CFlagButton*, 4> m_flags{};
    std::vector<QWidget*> m_widgets; // numbers and flags
};
