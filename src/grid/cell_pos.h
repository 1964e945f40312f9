// A cell position (row, column) in a grid; (-1, -1) stands for no cell.
// Whether a position lies inside a grid is asked of the grid, which knows its shape.
#pragma once

#include <compare>

struct CellPos {
    int row = -1;
    int col = -1;

    friend constexpr bool operator==(const CellPos&, const CellPos&) = default;
    friend constexpr auto operator<=>(const CellPos&, const CellPos&) = default;
};
