#pragma once

#include <QWidget>

#include <array>

// One bar split by the countries in each mastery state, in the states' colours, 習得 first from
// the left. Its accessible name, given by the owner, says the counts in words.
class CStateBar : public QWidget
{
  public:
    explicit CStateBar(QWidget* pParent = nullptr);

    void SetCounts(const std::array<int, 4>& counts);
    const std::array<int, 4>& Counts() const { return m_counts; }

  protected:
    void paintEvent(QPaintEvent* pEvent) override;

  private:
    std::array<int, 4> m_counts{};
};
