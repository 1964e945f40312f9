// A rectangular block of cells, inclusive on all sides. A span whose bounds are
// reversed or negative stands for "no cells" (for example an empty selection).
#pragma once

struct CellSpan {
    int minRow = -1;
    int minCol = -1;
    int maxRow = -1;
    int maxCol = -1;

    // Valid inside a grid of the given shape.
    constexpr bool IsValidIn(int rows, int columns) const
    {
        return minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0 && maxRow < rows
            && maxCol < columns && minRow <= maxRow && minCol <= maxCol;
    }
};
