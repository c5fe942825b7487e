#include "platform/FileDialog.h"

#include <QFileDialog>

namespace {

FileDialogHandler& Handler()
{
    static FileDialogHandler handler;
    return handler;
}

} // namespace

void SetFileDialogHandler(FileDialogHandler handler)
{
    Handler() = std::move(handler);
}

QString RunFileDialog(FileDialogKind kind)
{
    if (Handler())
        return Handler()(kind);

    // Like the editor's other dialogs, the file dialog has no parent window.
    QFileDialog dlg(nullptr, QString(), QString(), QStringLiteral("TXTファイル(*.txt)"));
    dlg.setDefaultSuffix(QStringLiteral("txt"));
    if (kind == FileDialogKind::Save) {
        dlg.setAcceptMode(QFileDialog::AcceptSave); // asks before an existing file is chosen
        dlg.setFileMode(QFileDialog::AnyFile);
    } else {
        // Any name may be typed; removing one that does not exist reports why it failed.
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(QFileDialog::AnyFile);
    }
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().constFirst();
}
