#include "FileDialogCapture.h"

FileDialogCapture::FileDialogCapture()
{
    SetFileDialogHandler([this](FileDialogKind kind) {
        m_kinds.push_back(kind);
        return m_chosen;
    });
}

FileDialogCapture::~FileDialogCapture()
{
    SetFileDialogHandler({});
}

void FileDialogCapture::Choose(const std::filesystem::path& path)
{
    m_chosen = QString::fromStdString(path.string());
}
