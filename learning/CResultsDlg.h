#pragma once

#include <QDialog>

#include <string>

struct ResultsSummary;
class QLabel;
class QPushButton;
class QTabWidget;
class QTreeWidget;

// The learner's results from the answer history: rounds, answers and correct rate for the
// question file in use and for all files, by question kind and by continent, the rate of the
// last rounds as a chart, and the questions missed most; the mastery map as a second page.
class CResultsDlg : public QDialog
{
  public:
    // strFile: the question file in use (cp932). bWriteFailed: some answer of this session
    // could not be written to the history, so the figures lack it.
    CResultsDlg(const ResultsSummary& sum, const std::string& strFile, bool bWriteFailed,
                QWidget* pParent = nullptr);

    // The page 習得マップ (CMasteryPage), after the figures.
    void AddMasteryPage(QWidget* pPage);

  private:
    void Layout();
    QTreeWidget* AddTable(const QRect& rect, const char* szName, const QString& strLabel,
                          const QStringList& headers);

    QTabWidget* m_pTabs = nullptr;
    QWidget* m_pSummary = nullptr;
    QLabel* m_pStatus = nullptr;
    QPushButton* m_pClose = nullptr;
};
