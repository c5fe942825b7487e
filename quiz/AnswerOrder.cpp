#include "quiz/AnswerOrder.h"

namespace {

// Row k: the stored answer shown at positions 1 to 4. Rows 4 and 5 stand as they always have,
// not in the order a rule would give them.
constexpr std::array<std::array<int, 4>, kAnswerOrderCount> kShows = {{
    {1, 2, 3, 4}, {1, 2, 4, 3}, {1, 3, 2, 4}, {1, 4, 2, 3}, {1, 4, 3, 2}, {1, 3, 4, 2},
    {2, 1, 3, 4}, {2, 1, 4, 3}, {3, 1, 2, 4}, {4, 1, 2, 3}, {3, 1, 4, 2}, {4, 1, 3, 2},
    {2, 3, 1, 4}, {2, 4, 1, 3}, {3, 2, 1, 4}, {4, 2, 1, 3}, {3, 4, 1, 2}, {4, 3, 1, 2},
    {2, 3, 4, 1}, {2, 4, 3, 1}, {3, 2, 4, 1}, {4, 2, 3, 1}, {3, 4, 2, 1}, {4, 3, 2, 1},
}};

} // namespace

int StoredAt(int nRow, int nPosition)
{
    return kShows[static_cast<std::size_t>(nRow)][static_cast<std::size_t>(nPosition - 1)];
}

int PositionOf(int nRow, int nStored)
{
    for (int p = 1; p <= 4; ++p)
        if (StoredAt(nRow, p) == nStored)
            return p;
    return 0;
}
