// Several attributes of one cell at once, for SetCellItem/GetCellItem and inside
// every GridNotify. The mask says which attribute fields are meant.
#pragma once

#include "grid/grid_color.h"

#include <QFont>
#include <QString>

#include <cstdint>

inline constexpr unsigned ITEM_TEXT = 0x01;
inline constexpr unsigned ITEM_IMAGE = 0x02;
inline constexpr unsigned ITEM_PARAM = 0x04;
inline constexpr unsigned ITEM_STATE = 0x08;
inline constexpr unsigned ITEM_BKCOLOR = 0x10;
inline constexpr unsigned ITEM_TEXTCOLOR = 0x20;
inline constexpr unsigned ITEM_FORMAT = 0x40;
inline constexpr unsigned ITEM_FONT = 0x80;
inline constexpr unsigned ITEM_ALL = 0xFFFFFFFFu;

struct CellItem {
    int row = -1;
    int col = -1;
    unsigned mask = 0;
    unsigned state = 0;
    unsigned format = 0;
    QString text;
    int image = -1;
    COLORREF backColor = CLR_DEFAULT;
    COLORREF textColor = CLR_DEFAULT;
    std::intptr_t param = 0;
    QFont font;
};
