#pragma once
// What the three in-place cell editors share: laying an editor over a cell
// and handing the focus back to the editor's owner when Enter or Escape ends
// an edit. UI thread only.

#include <QRect>
#include <QWidget>

// Moves editor over cell, a rectangle in the parent's coordinates with right
// and bottom inclusive, as the grid reports cells: the editor spans from the
// left and top edges to the right and bottom ones, leaving the grid lines
// visible, and is repainted.
void PlaceOverCell(QWidget* editor, const QRect& cell);

// Gives the focus to owner, or to the editor's parent when there is no owner.
void FocusOwner(QWidget* editor, QWidget* owner);
