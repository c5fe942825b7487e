#include "zukan/CZukanCommands.h"

#include "platform/MessageBox.h"
#include "zukan/CZukanWindow.h"
#include "zukan/DrillFile.h"

#include <QAction>
#include <QFile>

// The world file as shipped, compiled in: the copies in the user's folder may have been
// edited, and a build run from its tree has no installed copy. Read only for a drill. Global
// scope: Q_INIT_RESOURCE declares the initialiser where it stands, and naming it keeps the
// linker from dropping the resource from the static library.
static QByteArray BundledWorldFile()
{
    Q_INIT_RESOURCE(zukan);
    QFile file(QStringLiteral(":/zukan/world.txt"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

CZukanCommands::CZukanCommands(ProfileStore& profile, QWidget* pMain, WallClock wallClock)
    : QObject(pMain), m_profile(profile), m_pMain(pMain), m_wallClock(std::move(wallClock)),
      m_pDrillAction(new QAction(QStringLiteral("選んだ国を出題(&Q)"), this))
{
    m_pDrillAction->setObjectName(QStringLiteral("zukanDrillAction"));
    connect(m_pDrillAction, &QAction::triggered, this, &CZukanCommands::OnDrill);
}

void CZukanCommands::OnMenuZukan()
{
    if (!m_pWindow) {
        m_pWindow = new CZukanWindow(m_pDrillAction, m_wallClock, m_pMain);
        m_pWindow->PlaceBeside(m_pMain);
    }
    m_pWindow->show();
    m_pWindow->raise();
    m_pWindow->activateWindow();
}

void CZukanCommands::OpenCountry(const std::string& code)
{
    OnMenuZukan();
    m_pWindow->ShowCode(code);
}

std::string CZukanCommands::WorldFile()
{
    const QByteArray world = BundledWorldFile();
    return std::string(world.constData(), std::size_t(world.size()));
}

void CZukanCommands::OnDrill()
{
    if (!m_pWindow || !m_pDrillAction->isEnabled())
        return;
    const std::set<std::string> codes = m_pWindow->SelectedCodes();
    if (codes.empty())
        return;
    const std::string records = ChosenRecords(codes);
    if (records.empty()) {
        AfxMessageBox(QStringLiteral("選んだ国の問題は、同梱の問題ファイルにありません。"),
                      MB_OK | MB_ICONSTOP);
        return;
    }
    std::error_code ec;
    const NewQuestionFile made =
        WriteDrillFile(m_profile, std::filesystem::current_path(ec), records, m_wallClock());
    AfxMessageBox(QString::fromStdString(NewQuestionFileMessage(made, "図鑑の問題ファイル")),
                  made.Ok() ? MB_OK | MB_ICONINFORMATION : MB_OK | MB_ICONSTOP);
}

std::set<std::string> CZukanCommands::ChosenCodes() const
{
    return m_pWindow && m_pWindow->isVisible() ? m_pWindow->SelectedCodes()
                                               : std::set<std::string>();
}

std::string CZukanCommands::ChosenRecords(const std::set<std::string>& codes) const
{
    const QByteArray world = BundledWorldFile();
    return RecordsAbout(std::string_view(world.constData(), std::size_t(world.size())), codes);
}
