#pragma once
// What a print job tells the view's printing overrides and learns from them:
// the page range, the page being printed, the drawing rectangle of that page
// and whether the job is a preview. UI thread only.

#include <QRect>

class QPrinter;

struct CPrintInfo
{
    void SetMinPage(int page) { m_nMinPage = page; }
    void SetMaxPage(int page) { m_nMaxPage = page; }
    int GetMinPage() const { return m_nMinPage; }
    int GetMaxPage() const { return m_nMaxPage; }
    // The pages the user chose; the whole range until a dialog narrows it.
    int GetFromPage() const { return m_nFromPage > 0 ? m_nFromPage : m_nMinPage; }
    int GetToPage() const { return m_nToPage > 0 ? m_nToPage : m_nMaxPage; }

    int m_nMinPage = 1;
    int m_nMaxPage = 1;
    int m_nFromPage = 0; // 0: from the first page
    int m_nToPage = 0; // 0: to the last page
    int m_nCurPage = 1; // the page OnPrint draws
    int m_nNumPreviewPages = 2; // pages the preview shows side by side
    bool m_bPreview = false; // a print preview: no print dialog
    bool m_bDirect = false; // a job without a print dialog (PDF export)
    QRect m_rectDraw; // the page's drawing area, set by OnPrint
    QPrinter* m_printer = nullptr; // the printer the print dialog configures
};
