// The yardstick for start-up: a plain Qt dialog with the main window's widgets and nothing else.
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QDialog dlg;
    dlg.setWindowTitle(QStringLiteral("Bare dialog"));
    QFont font;
    font.setFamilies({QStringLiteral("IPAPGothic")});
    font.setPointSize(9);
    dlg.setFont(font);
    auto* pBar = new QMenuBar(&dlg);
    for (const char* sz : {"File", "Settings", "Help"})
        pBar->addMenu(QString::fromLatin1(sz))->addAction(QStringLiteral("Item"));
    for (int i = 0; i < 7; ++i)
        (new QGroupBox(QStringLiteral("Group"), &dlg))->setGeometry(10, 30 + i * 60, 500, 50);
    for (int i = 0; i < 5; ++i)
        (new QLineEdit(&dlg))->setGeometry(20, 40 + i * 30, 400, 20);
    for (int i = 0; i < 10; ++i) {
        auto* pLabel = new QLabel(QString::number(i), &dlg);
        pLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pLabel->setGeometry(450, 40 + i * 30, 30, 20);
    }
    for (int i = 0; i < 8; ++i)
        (new QPushButton(QStringLiteral("B%1").arg(i), &dlg))
            ->setGeometry(20 + i * 60, 300, 50, 30);
    (new QProgressBar(&dlg))->setGeometry(20, 400, 450, 20);
    (new QLabel(&dlg))->setGeometry(300, 250, 20, 20);
    dlg.setFixedSize(537, 564);
    return dlg.exec();
}
