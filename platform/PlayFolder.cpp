#include "platform/PlayFolder.h"

#include "platform/File.h"
#include "platform/MessageBox.h"

#include <QDir>
#include <QString>

#include <filesystem>

#ifndef _WIN32
bool EnterPlayFolder()
{
    return true;
}
#endif

void WarnIfPlayFolderReadOnly()
{
#ifdef _WIN32
    std::error_code ec;
    const std::filesystem::path dir = std::filesystem::current_path(ec);
    if (ec || CanCreateFilesIn(dir))
        return;
    AfxMessageBox(QStringLiteral("このフォルダーには書き込めません。\n%1\n\n"
                                 "出題はできますが、設定・成績・復習ファイルは保存されません。"
                                 "フォルダーごと書き込める場所（ドキュメントなど）に移してから"
                                 "起動してください。")
                      .arg(QDir::toNativeSeparators(QString::fromStdWString(dir.wstring()))),
                  MB_OK | MB_ICONINFORMATION);
#endif
}
