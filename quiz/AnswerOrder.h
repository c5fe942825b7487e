#pragma once

#include <array>

// The 24 fixed orders in which a question's four stored answers are shown.
inline constexpr int kAnswerOrderCount = 24;

// Stored answer (1-4) shown at position nPosition (1-4) by row nRow (0-23).
int StoredAt(int nRow, int nPosition);
// Position (1-4) at which row nRow shows stored answer nStored (1-4).
int PositionOf(int nRow, int nStored);
