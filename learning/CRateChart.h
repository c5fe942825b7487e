#pragma once

#include <QWidget>

#include <vector>

// The correct rate of the last rounds as a line over a 0-100 % grid, oldest on the left.
// Screen readers get the same figures as its description.
class CRateChart : public QWidget
{
  public:
    explicit CRateChart(QWidget* pParent = nullptr);

    void SetRates(std::vector<double> rates);

  protected:
    void paintEvent(QPaintEvent* pEvent) override;

  private:
    std::vector<double> m_rates;
};
