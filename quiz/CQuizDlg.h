#pragma once

#include <QDialog>

class ProfileStore;

// The main window: one question at a time, its flag, four answers, the time bar and the lamps.
class CQuizDlg : public QDialog
{
public:
    explicit CQuizDlg(ProfileStore& profile, QWidget* pParent = nullptr);

private:
    ProfileStore& m_profile;
};
