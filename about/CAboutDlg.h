#pragma once

#include <QDialog>

// The About box: icon, version, rights notice and contact address. Unlike the program's other
// dialogs it keeps the usual keys: Enter presses "閉じる" and Esc closes the box.
class CAboutDlg : public QDialog
{
  public:
    explicit CAboutDlg(QWidget* pParent = nullptr);
};
