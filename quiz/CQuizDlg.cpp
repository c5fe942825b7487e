#include "quiz/CQuizDlg.h"

#include "app/ProfileStore.h"
#include "platform/DialogUnits.h"

CQuizDlg::CQuizDlg(ProfileStore& profile, QWidget* pParent)
    : QDialog(pParent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      m_profile(profile)
{
    setWindowTitle(QStringLiteral("Marelto Ver1.0～首都・地域・公用語まで"));
    setFont(DialogFont());
    const DialogUnits du(font());
    setFixedSize(du.Size(358, 292));
}
