#include "platform/FileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

namespace {

// Hides "ReadMe.txt", which the question file lists leave out, as they do: exact name only.
class CHideReadMe : public QSortFilterProxyModel
{
  protected:
    bool filterAcceptsRow(int nRow, const QModelIndex& parent) const override
    {
        const auto* pModel = qobject_cast<const QFileSystemModel*>(sourceModel());
        const QModelIndex index = sourceModel()->index(nRow, 0, parent);
        return !pModel || pModel->isDir(index) || pModel->fileName(index) != u"ReadMe.txt";
    }
};

QString RunOpenQuestionDialog()
{
    QFileDialog dlg(nullptr, QStringLiteral("問題ファイルを開く"), QDir::currentPath(),
                    QStringLiteral("問題ファイル(*.txt)"));
    // The list filter needs Qt's own dialog, the one the editor shows as well.
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setProxyModel(new CHideReadMe);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().constFirst();
}

QString RunSavePictureDialog()
{
    QFileDialog dlg(nullptr, QStringLiteral("画像で保存"), QDir::currentPath(),
                    QStringLiteral("PNG画像(*.png)"));
    dlg.setDefaultSuffix(QStringLiteral("png"));
    dlg.setAcceptMode(QFileDialog::AcceptSave); // asks before an existing file is chosen
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.selectFile(QStringLiteral("習得マップ.png"));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().constFirst();
}

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
    if (kind == FileDialogKind::OpenQuestion)
        return RunOpenQuestionDialog();
    if (kind == FileDialogKind::SavePicture)
        return RunSavePictureDialog();

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
