#pragma once
// The view half of the single-document framework: a widget that shows the
// document, is told of changes through OnUpdate and set up for each new or
// opened document through OnInitialUpdate. UI thread only.

#include "platform/document.h"

#include <QWidget>

class CView : public QWidget, public CDocumentView {
    Q_OBJECT
public:
    explicit CView(QWidget* parent = nullptr);
    ~CView() override;

    // Registers the view with the document (and leaves the previous one).
    void AttachDocument(CDocument* document);
    CDocument* GetDocument() const { return m_document; }

    // Run for every new or opened document; the base runs OnUpdate once.
    virtual void OnInitialUpdate();

private:
    CDocument* m_document = nullptr;
};
