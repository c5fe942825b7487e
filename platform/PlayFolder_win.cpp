// The Windows side of platform/PlayFolder.h: the program's own folder, or the user's
// Documents\Marelto when the program is installed or its folder cannot be written.
#include "platform/PlayFolder.h"

#include "platform/AtomicFile.h"
#include "platform/MessageBox.h"
#include "platform/UserPlayFolder.h"

#include <QDir>
#include <QString>

#include <string>

#include <windows.h>

#include <shlobj.h>

namespace {

enum class Where
{
    Program,   // the program's folder
    UserFirst, // the user's folder, files copied into it this time
    User,      // the user's folder, as on earlier starts
    ReadOnly,  // the program's folder, though nothing can be kept there
    Installed, // the installed program's folder, as the user's could not be made
};

// Filled before main (EnterPlayFolder runs in a static initialiser), so kept in a function's
// static, never in one the initialiser might not have reached yet.
struct State
{
    Where where = Where::Program;
    std::filesystem::path folder;
    std::string strCopyError;
};

State& Play()
{
    static State state;
    return state;
}

std::filesystem::path ProgramFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        if (n < path.size()) {
            path.resize(n);
            return std::filesystem::path(path).parent_path();
        }
        path.resize(path.size() * 2);
    }
}

std::filesystem::path UserFolder()
{
    PWSTR pDocuments = nullptr;
    std::filesystem::path folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &pDocuments)))
        folder = std::filesystem::path(pDocuments) / L"Marelto";
    ::CoTaskMemFree(pDocuments);
    return folder;
}

// The installer leaves its uninstaller beside the program. Installed, the program keeps the
// learner's files in Documents\Marelto, out of reach of an uninstall or an upgrade, though the
// program's folder could be written.
bool Installed(const std::filesystem::path& program)
{
    return KindOf(program / L"Uninstall.exe") == PathKind::Regular;
}

QString Native(const std::filesystem::path& path)
{
    return QDir::toNativeSeparators(QString::fromStdWString(path.wstring()));
}

} // namespace

bool EnterPlayFolder()
{
    const std::filesystem::path program = ProgramFolder();
    if (program.empty())
        return true; // stays where it was started
    State& play = Play();
    play.folder = program;
    const bool bInstalled = Installed(program);
    const bool bWritable = CanCreateFilesIn(program);
    if (bInstalled || !bWritable) {
        play.where = bWritable ? Where::Installed : Where::ReadOnly;
        const std::filesystem::path user = UserFolder();
        const UserPlayFolder setup =
            user.empty() ? UserPlayFolder{} : SetUpUserPlayFolder(program, user);
        if (setup.bOk) {
            play.folder = user;
            play.where = setup.copied.empty() || bInstalled ? Where::User : Where::UserFirst;
            play.strCopyError = setup.strError;
        }
    }
    ::SetCurrentDirectoryW(play.folder.c_str());
    return true;
}

void TellAboutPlayFolder()
{
    const State& play = Play();
    QString text;
    if (play.where == Where::UserFirst)
        text = QStringLiteral(
                   "このフォルダーには書き込めないため、問題ファイルと設定を次のフォルダーに"
                   "写して、そこで出題します。成績や復習ファイルもそこに保存されます。\n%1")
                   .arg(Native(play.folder));
    else if (play.where == Where::ReadOnly)
        text = QStringLiteral("このフォルダーには書き込めません。\n%1\n\n"
                              "設定・成績・復習ファイルは保存されず、書き込めない問題ファイルは"
                              "開けません。フォルダーごと書き込める場所（ドキュメントなど）に"
                              "移してから起動してください。")
                   .arg(Native(play.folder));
    else if (play.where == Where::Installed)
        text = QStringLiteral("ドキュメントに Marelto フォルダーを作れないため、設定・成績・"
                              "復習ファイルはプログラムのフォルダーに保存されます。\n%1")
                   .arg(Native(play.folder));
    if (!play.strCopyError.empty())
        text += QStringLiteral("\n\n写せなかったファイル: %1")
                    .arg(QString::fromStdString(play.strCopyError));
    if (!text.isEmpty())
        AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
}
