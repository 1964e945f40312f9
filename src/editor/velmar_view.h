#pragma once
// The one view of the document: the form of dialog template 101 with the
// settings panel above the channel table. Each new or opened document runs
// OnInitialUpdate; every change of the document runs OnUpdate, which sets
// the window title and translates and refills the form. UI thread only.

#include "platform/ui/view.h"

class CVelmarDoc;

class CVelmarView : public CView {
    Q_OBJECT
public:
    explicit CVelmarView(QWidget* parent = nullptr);

    CVelmarDoc* GetDocument() const;
    // The control of the form with that ID, or nullptr.
    QWidget* GetDlgItem(int id) const;

    void OnInitialUpdate() override;
    void OnUpdate(CDocumentView* sender, long hint) override;

    // Fills every settings control from the image.
    void RefreshSettings();

private:
    // Shows or hides the read-password field and its label by [setup] password.
    void ApplyPasswordVisibility();
};
