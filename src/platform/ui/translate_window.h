#pragma once
// Applies the active language file's [Resource] texts to a window: its own
// caption under the dialog ID, then each direct child (in child order) under
// its control ID. Children without a text keep theirs. Then the controls get
// their accessible names from the texts just set (accessible_names.h).
// UI thread only.

class QWidget;

void TranslateWindow(QWidget* window, int dialogId);

// Sets the visible text of a control the way the platform's window-text call
// does for its kind (label, button, group box, edit).
void SetControlText(QWidget* control, const char* utf8Text);
