#pragma once

#include <QGroupBox>

#include <array>
#include <optional>
#include <string>

class CPlaceMap;
class QLabel;

// Beside the editor's answer fields, in the flags' place: the four places of a position question
// (each answer '@' and a catalogue code) on a small map, numbered as the answers, with their
// names below, so that the author sees which states the learner will tell apart.
class CPlacePreview : public QGroupBox
{
  public:
    // rect maps dialog units to pixels; nRowHeight is one name's row.
    CPlacePreview(QWidget* pParent, const QRect& rect, int nRowHeight);

    // The codes of answers 1-4 without the '@'; empty hides the panel.
    void ShowPlaces(const std::optional<std::array<std::string, 4>>& codes);

  private:
    CPlaceMap* m_pMap = nullptr;
    std::array<QLabel*, 4> m_names{};
    std::optional<std::array<std::string, 4>> m_codes;
};
