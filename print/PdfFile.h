#pragma once

#include "questionfile/NewQuestionFile.h"

#include <QByteArray>

#include <ctime>
#include <filesystem>

struct PrintRequest;

// The PDF of a request, drawn with the program's world map and flag pictures.
QByteArray MakePdf(const PrintRequest& request);

// Writes it into the folder as FilePrefix + "YYYYMMDD-HHMM.pdf", or "-2.pdf" and so on when that
// name is taken: never over a file, never half-written.
StampedFile WritePdf(const std::filesystem::path& folder, const PrintRequest& request,
                     std::time_t now);
