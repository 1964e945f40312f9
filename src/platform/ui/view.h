#pragma once
// The view half of the single-document framework: a widget that shows the
// document, is told of changes through OnUpdate and set up for each new or
// opened document through OnInitialUpdate. UI thread only.

#include "platform/document.h"

#include <QWidget>

class QPainter;
struct CPrintInfo;

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

    // Printing, called by the print driver in this order: OnPreparePrinting
    // before any dialog (false cancels the job), OnBeginPrinting once per job,
    // OnPrint once per page with info.m_nCurPage set, OnEndPrinting once per
    // job. The bases print nothing.
    virtual bool OnPreparePrinting(CPrintInfo& info);
    virtual void OnBeginPrinting(QPainter& dc, CPrintInfo& info);
    virtual void OnPrint(QPainter& dc, CPrintInfo& info);
    virtual void OnEndPrinting(QPainter& dc, CPrintInfo& info);
    // Shows the print dialog on the application's printer for a normal job
    // (not for a preview or a direct job); false when the user cancelled.
    bool DoPreparePrinting(CPrintInfo& info);

    // File Print (57607) and Print Preview (57609).
    void OnFilePrint();
    void OnFilePrintPreview();

private:
    CDocument* m_document = nullptr;
};
