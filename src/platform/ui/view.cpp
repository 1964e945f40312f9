#include "platform/ui/view.h"

CView::CView(QWidget* parent)
    : QWidget(parent)
{
}

CView::~CView()
{
    if (m_document)
        m_document->RemoveView(this);
}

void CView::AttachDocument(CDocument* document)
{
    if (m_document == document)
        return;
    if (m_document)
        m_document->RemoveView(this);
    m_document = document;
    if (m_document)
        m_document->AddView(this);
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0);
}
