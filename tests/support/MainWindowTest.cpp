#include "MainWindowTest.h"

#include "QtTestSupport.h"
#include "app/MainWindow.h"

#include <QPushButton>
#include <QTest>

MainWindowTest::MainWindowTest(int nQuestionCount)
{
    m_dir.WriteIni("[QUESTION_CNT]\r\n1=" + std::to_string(nQuestionCount) +
                   "\r\n[LIFE]\r\n1=5\r\n[TIME_LIMIT]\r\n1=9\r\n[SOUND]\r\nSW=0\r\n");
    m_pDlg = CreateMainWindow(m_profile, QuizTiming{5, 5});
}

void MainWindowTest::Play(std::initializer_list<bool> rights)
{
    QTest::mouseClick(m_pDlg->findChild<QPushButton*>("start"), Qt::LeftButton);
    AnswerQuestions(*m_pDlg, rights);
}
