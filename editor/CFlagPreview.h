#pragma once

#include <QGroupBox>

#include <array>
#include <optional>
#include <string>

class QLabel;

// Beside the editor's answer fields: the four flags of a record whose answers are all catalogue
// codes (a flag-choice question), numbered as the answers, so that it can be checked by eye.
// For any other record a line says when flags appear.
class CFlagPreview : public QGroupBox
{
  public:
    // rect maps dialog units to pixels; the panel lies at x, y and is 80 units wide.
    CFlagPreview(QWidget* pParent, const QRect& rect, int nRowHeight);

    // The codes of answers 1-4, or empty for a text question.
    void ShowCodes(const std::optional<std::array<std::string, 4>>& codes);

  private:
    void Apply();

    std::array<QLabel*, 4> m_numbers{};
    std::array<QLabel*, 4> m_pictures{};
    QLabel* m_pNote = nullptr;
    std::optional<std::array<std::string, 4>> m_codes;
};
