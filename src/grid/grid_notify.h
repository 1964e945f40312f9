// The record CGridCtrl hands to its owner with every notification (focus leaving,
// focus entered, begin edit). It lives only for the duration of the signal; a
// receiver answers by writing result (the begin-edit answer StartEdit returns).
#pragma once

#include "grid/cell_item.h"

#include <QRect>

class CGridCtrl;

inline constexpr int GRIDN_FOCUSENTERED = -103;
inline constexpr int GRIDN_FOCUSLEAVING = -104;
inline constexpr int GRIDN_BEGINEDIT = -105;

struct GridNotifyHeader {
    CGridCtrl* from = nullptr;
    int idFrom = 0;  // the grid's "controlId" property
    int code = 0;
};

struct GridNotify {
    GridNotifyHeader hdr;
    CellItem item;   // every field filled (mask all ones)
    QRect cellRect;  // the cell in GLOBAL (screen) coordinates, right/bottom inclusive
    long result = 0;
};
