#pragma once

#include "questionfile/NewQuestionFile.h"

#include <QByteArray>

#include <ctime>
#include <filesystem>

struct PrintRequest;

// The PDF of a request, drawn with the program's world map and flag pictures; empty when there
// is nothing to print (no question, no known country).
QByteArray MakePdf(const PrintRequest& request);

// Writes it into the folder as FilePrefix + "YYYYMMDD-HHMM.pdf", or "-2.pdf" and so on when that
// name is taken: never over a file, never half-written. Nothing to print: not written, and no
// error given.
StampedFile WritePdf(const std::filesystem::path& folder, const PrintRequest& request,
                     std::time_t now);
