#pragma once

#include <QObject>

#include <array>

class QPushButton;
class QWidget;

// Keys 1 to 4, on the main row or the keypad, press the matching answer button of one window
// while that button is enabled, as a click does. Other keys, held-down repeats and keys with
// Ctrl, Alt or Shift pass on unchanged.
class CAnswerKeyFilter : public QObject
{
  public:
    CAnswerKeyFilter(QWidget* pWindow, const std::array<QPushButton*, 4>& buttons);

  protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

  private:
    QWidget* m_pWindow;
    std::array<QPushButton*, 4> m_buttons;
};
