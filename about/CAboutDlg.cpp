#include "about/CAboutDlg.h"

#include "platform/CDialogUnits.h"
#include "platform/Resources.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

// The icon is shown at its own size, whatever the template says.
constexpr int kIconSize = 32;

QLabel* MakeText(QWidget* pParent, const QString& strText, QRect rect, const char* szName)
{
    auto* pLabel = new QLabel(strText, pParent);
    pLabel->setTextFormat(Qt::PlainText);
    pLabel->setGeometry(rect);
    pLabel->setObjectName(QString::fromLatin1(szName));
    pLabel->setAccessibleName(strText);
    return pLabel;
}

} // namespace

CAboutDlg::CAboutDlg(QWidget* pParent) : QDialog(pParent, kDialogWindowFlags)
{
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFont(DialogFont());
    const CDialogUnits du(font());
    setFixedSize(du.Size(150, 85));

    auto* pFrame = new QGroupBox(this);
    pFrame->setGeometry(du.Rect(7, 2, 136, 58));
    pFrame->setObjectName(QStringLiteral("frame"));

    auto* pIcon = new QLabel(this);
    pIcon->setGeometry(du.X(11), du.Y(12), kIconSize, kIconSize);
    pIcon->setObjectName(QStringLiteral("icon"));
    pIcon->setAccessibleName(QStringLiteral("Marelto"));
    pIcon->setPixmap(AppIcon().pixmap(kIconSize, kIconSize));

    MakeText(this, QStringLiteral("Marelto Version 1.0.1"), du.Rect(36, 12, 101, 8), "version");
    MakeText(this, QStringLiteral("(C) 2026 Marelto Project"), du.Rect(36, 26, 100, 8), "rights");
    MakeText(this, QStringLiteral("https://marelto.invalid/"), du.Rect(37, 40, 85, 8), "contact");

    auto* pClose = new QPushButton(QStringLiteral("閉じる"), this);
    pClose->setGeometry(du.Rect(107, 64, 36, 14));
    pClose->setObjectName(QStringLiteral("close"));
    pClose->setAccessibleName(QStringLiteral("閉じる"));
    pClose->setDefault(true);
    pClose->setFocus();
    connect(pClose, &QPushButton::clicked, this, &QDialog::accept);
}
