#include "QtTestSupport.h"

#include "quiz/CQuizDlg.h"

#include <QPushButton>
#include <QTest>

void AnswerQuestions(CQuizDlg& dlg, std::initializer_list<bool> rights)
{
    for (bool bRight : rights) {
        const int nRight = dlg.Round().m_nCorrectNo;
        QTest::mouseClick(
            dlg.findChild<QPushButton*>(QString("answer%1").arg(bRight ? nRight : nRight % 4 + 1)),
            Qt::LeftButton);
    }
}
