#pragma once

#include <QString>

#include <vector>

class QGroupBox;
class QWidget;

// The 解答群 area of the main window: one set of controls for each way of answering (the four
// text rows, the four flags, ...), one set shown at a time. A new way of answering adds its
// widgets as one more variant. A change of variant is announced to screen readers through the
// group's description, which says how the answers are shown.
class CAnswerArea
{
  public:
    explicit CAnswerArea(QGroupBox* pGroup) : m_pGroup(pGroup) {}

    // The variant's number; the first one added is shown, the others are hidden.
    int AddVariant(std::vector<QWidget*> widgets, const QString& strDescription);
    void Show(int nVariant);
    int Shown() const { return m_nShown; }

  private:
    struct Variant
    {
        std::vector<QWidget*> widgets;
        QString strDescription;
    };

    QGroupBox* m_pGroup;
    std::vector<Variant> m_variants;
    int m_nShown = 0;
};
