#pragma once
// Small helpers for driving real windows in GUI tests: activating a window
// so its shortcuts work, and acting on a modal dialog once it is up.

#include <QWidget>

#include <functional>

// Shows and activates window; false when it did not become active in time.
bool ActivateWindow(QWidget* window);

// Calls action with the active modal widget as soon as one is shown (polled
// for at most two seconds; the call is skipped when none appears). Must be
// armed before the code that opens the dialog runs.
void WhenModalShown(std::function<void(QWidget*)> action);
