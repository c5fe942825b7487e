#pragma once

#include "print/PrintRequest.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QRadioButton;

// What the print dialog asks: what to make, from what, on which paper, with or without a key.
struct PrintChoice
{
    PrintRequest::Kind kind = PrintRequest::Kind::Sheet;
    int nContinent = -1; // for the 白地図: index into Facts::kContinents, -1 the world
    bool bFromZukan = false;
    Paper paper = Paper::A4;
    bool bAnswerKey = true;
};

// ファイル → 印刷用PDFを作成: a small dialog; 作成 accepts it with Choice() filled in.
class CPrintDlg : public QDialog
{
  public:
    // strQuestionFile (shown) is the question file's name; nChosen the countries chosen in the
    // 図鑑, 0 when it is closed or none is.
    CPrintDlg(const QString& strQuestionFile, int nChosen, const PrintChoice& initial,
              QWidget* pParent = nullptr);

    PrintChoice Choice() const;

  private:
    void OnKindChanged();

    QButtonGroup* m_pKind;
    QComboBox* m_pArea;
    QRadioButton* m_pFromFile;
    QRadioButton* m_pFromZukan;
    QComboBox* m_pPaper;
    QCheckBox* m_pKey;
    int m_nChosen;
};
