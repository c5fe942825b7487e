#pragma once

#include <QDialog>
#include <QTimer>

class QGroupBox;
class QLabel;

// The verdict popup: two lines, no buttons; it closes itself on its timer's second tick.
class CJudgeDlg : public QDialog
{
  public:
    explicit CJudgeDlg(QWidget* pParent = nullptr, int nTickMs = 1000);

    // A right answer too long for its line (a typed question names the answer itself) widens
    // the popup, so it is read whole.
    void SetTexts(const QString& strVerdict, const QString& strCorrect);
    int m_nTick = 0;

  protected:
    void showEvent(QShowEvent* pEvent) override;

  private:
    void OnTimer();

    QGroupBox* m_pFrame;
    QLabel* m_pVerdict;
    QLabel* m_pCorrect;
    QTimer m_timer;
};
