#pragma once
// Accessible names for the controls of a window built from a template, and for
// the toolbar buttons of a frame, so a screen reader says what the user sees.
// Run after every translation: the names follow a language switch. UI thread only.

class QLabel;
class QWidget;

// Names every direct child control that has no text of its own (lists, edit
// fields, scroll bars, progress bars, custom controls) after the static label
// that stands on its left in the same row, or else just above it and aligned
// with it, and makes that label its buddy (Qt's labelled-by relation). A
// control with no such label takes its name from the language file when the
// system has a key for it. Buttons, check boxes and group boxes speak their
// own text and are left alone.
void UpdateAccessibleNames(QWidget* window);

// The label UpdateAccessibleNames pairs with control, or nullptr.
QLabel* LabelBeside(const QWidget* control);

// Gives every toolbar button of frame its tooltip text as accessible name.
void NameToolbarButtons(QWidget* frame);
