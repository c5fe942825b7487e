#pragma once

#include "platform/FileDialog.h"

#include <QString>

#include <filesystem>
#include <vector>

// Answers every file dialog while it lives with the chosen file, or as cancelled, and keeps which
// kind of dialog each was.
class FileDialogCapture
{
  public:
    FileDialogCapture();
    ~FileDialogCapture();
    FileDialogCapture(const FileDialogCapture&) = delete;
    FileDialogCapture& operator=(const FileDialogCapture&) = delete;

    void Choose(const std::filesystem::path& path);
    void Cancel() { m_chosen.clear(); }
    const std::vector<FileDialogKind>& Kinds() const { return m_kinds; }

  private:
    QString m_chosen; // empty: cancelled
    std::vector<FileDialogKind> m_kinds;
};
