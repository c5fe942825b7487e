#include "platform/FileDialog.h"

#include "platform/Translations.h"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLocale>
#include <QSortFilterProxyModel>

namespace {

// The file list as the dialog shows it: sizes and dates in the default locale, which is
// Japanese (QFileSystemModel formats them in the system's), and for the question file list
// "ReadMe.txt" hidden, as the question file lists leave it out: exact name only.
class CFileListModel : public QSortFilterProxyModel
{
  public:
    explicit CFileListModel(bool bHideReadMe) : m_bHideReadMe(bHideReadMe) {}

    QVariant data(const QModelIndex& index, int nRole) const override
    {
        const auto* pModel = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (nRole != Qt::DisplayRole || !pModel)
            return QSortFilterProxyModel::data(index, nRole);
        const QModelIndex source = mapToSource(index);
        const QLocale locale;
        if (index.column() == kSizeColumn && !pModel->isDir(source))
            return locale.formattedDataSize(pModel->size(source));
        if (index.column() == kDateColumn)
            return locale.toString(pModel->lastModified(source), QLocale::ShortFormat);
        return QSortFilterProxyModel::data(index, nRole);
    }

  protected:
    bool filterAcceptsRow(int nRow, const QModelIndex& parent) const override
    {
        const auto* pModel = qobject_cast<const QFileSystemModel*>(sourceModel());
        const QModelIndex index = sourceModel()->index(nRow, 0, parent);
        return !m_bHideReadMe || !pModel || pModel->isDir(index) ||
               pModel->fileName(index) != u"ReadMe.txt";
    }

  private:
    static constexpr int kSizeColumn = 1, kDateColumn = 3;
    bool m_bHideReadMe;
};

// Qt's own dialog, whose texts the program's translations and locale decide, with the list
// above; a native one would follow the system's language.
void UseOwnDialog(QFileDialog& dlg, bool bHideReadMe)
{
    LoadQtJapaneseTranslations();
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setProxyModel(new CFileListModel(bHideReadMe));
}

QString RunOpenQuestionDialog()
{
    QFileDialog dlg(nullptr, QStringLiteral("問題ファイルを開く"), QDir::currentPath(),
                    QStringLiteral("問題ファイル(*.txt)"));
    UseOwnDialog(dlg, true);
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
    UseOwnDialog(dlg, false);
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
