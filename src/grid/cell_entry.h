// One stored cell of CGridCtrl: text, layout flags, colours, font and the state
// bits below. Cells are owned by the grid; owners read and write them only
// through the grid's operations.
#pragma once

#include "grid/grid_color.h"

#include <QFont>
#include <QString>

#include <cstdint>

inline constexpr unsigned CELL_FOCUSED = 0x01;
inline constexpr unsigned CELL_SELECTED = 0x02;
inline constexpr unsigned CELL_READONLY = 0x08;

struct CellEntry {
    unsigned state = 0;
    unsigned format = 0;
    QString text;
    int image = -1;  // kept for the owner; the grid never draws images
    COLORREF backColor = CLR_DEFAULT;
    COLORREF textColor = CLR_DEFAULT;
    std::intptr_t param = 0;
    QFont font;
};
