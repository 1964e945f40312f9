#pragma once
// Reading the accessibility tree in-process the way a screen reader's bridge
// does (QAccessible::queryAccessibleInterface).

#include <QString>

class QWidget;

// The name a screen reader gives a control: its accessible name, or for a
// control announced by its value (a drop-down list) the name of the label
// that the labelled-by relation points at.
QString SpokenName(QWidget* control);
