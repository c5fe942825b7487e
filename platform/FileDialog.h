#pragma once

#include <QString>

#include <functional>

// The standard file dialogs of the question editor: one "TXTファイル(*.txt)" filter, "txt" added
// to a name typed without an extension, and for saving a prompt before an existing file is
// chosen. Returns the chosen full path, or an empty text when cancelled.
// OpenQuestion is the main window's: an existing file, starting in the current folder and
// listing its question files ("*.txt" without "ReadMe.txt").
enum class FileDialogKind
{
    Save,
    Open,
    OpenQuestion,
    SavePicture, // a PNG picture: "PNG画像(*.png)", a prompt before an existing file is chosen
};

QString RunFileDialog(FileDialogKind kind);

// Tests choose a path here instead of a modal dialog. An empty handler restores the real one.
using FileDialogHandler = std::function<QString(FileDialogKind kind)>;
void SetFileDialogHandler(FileDialogHandler handler);
