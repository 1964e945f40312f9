#pragma once
// The message box that reports a test-mode procedure's outcome: errors with
// the stop icon under "IDS_ERROR", write-all results as plain prompts.
// UI thread only.

#include "radio/test_mode_radio.h"

class QWidget;

// Shows the box for outcome; TestModeOutcome::Ok shows nothing.
void ShowTestModeOutcome(QWidget* owner, TestModeOutcome outcome);
