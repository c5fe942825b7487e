#pragma once

#include "print/CPrintDlg.h"

#include <QObject>

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class ProfileStore;
class QWidget;

// The countries chosen in the 図鑑 (none when it is closed) and the bundled questions about them.
struct ChosenCountries
{
    std::vector<std::string> codes;
    std::string records; // cp932 records
};

// ファイル → 印刷用PDFを作成: asks what to make, writes the PDF into the play folder under a
// stamped name that never overwrites a file, and offers to open it with the desktop's viewer.
class CPrintCommands : public QObject
{
  public:
    using WallClock = std::function<std::time_t()>;
    using ChosenSource = std::function<ChosenCountries()>;
    // Runs the dialog; tests answer here instead. Empty when cancelled.
    using Ask = std::function<std::optional<PrintChoice>(const QString& strQuestionFile,
                                                         int nChosen, const PrintChoice& last)>;

    CPrintCommands(
        ProfileStore& profile, QWidget* pMain, ChosenSource chosen, Ask ask = {},
        WallClock wallClock = [] { return std::time(nullptr); });

    void OnMenuPrint();

  private:
    ProfileStore& m_profile;
    QWidget* m_pMain;
    ChosenSource m_chosen;
    Ask m_ask;
    WallClock m_wallClock;
    PrintChoice m_last; // the dialog opens as it was left
};
