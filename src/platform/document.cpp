#include "platform/document.h"

#include "platform/archive.h"
#include "platform/atomic_file.h"

#include <algorithm>

void CDocument::SetPathName(const std::string& path)
{
    m_path = path;
    const std::size_t slash = path.find_last_of('/');
    m_title = slash == std::string::npos ? path : path.substr(slash + 1);
    if (m_title.empty())
        m_title = kDefaultTitle;
}

void CDocument::AddView(CDocumentView* view)
{
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CDocument::RemoveView(CDocumentView* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CDocument::UpdateAllViews(CDocumentView* sender, long hint)
{
    // A view may detach itself while being updated: walk a copy.
    const std::vector<CDocumentView*> views = m_views;
    for (CDocumentView* view : views)
        if (view != sender)
            view->OnUpdate(sender, hint);
}

bool CDocument::OnNewDocument()
{
    DeleteContents();
    m_path.clear();
    m_title = kDefaultTitle;
    m_modified = false;
    return true;
}

bool CDocument::OnOpenDocument(const std::string& path, std::string* error)
{
    // Read first: a file that cannot be read leaves the document as it was.
    std::string bytes;
    if (!ReadWholeFile(path, bytes, error))
        return false;
    DeleteContents();
    if (!bytes.empty()) {
        CArchive archive(bytes, CArchive::load);
        Serialize(archive);
    }
    SetPathName(path);
    m_modified = false;
    return true;
}

bool CDocument::OnSaveDocument(const std::string& path, std::string* error)
{
    std::string bytes;
    CArchive archive(bytes, CArchive::store);
    Serialize(archive);
    if (!WriteFileAtomically(path, bytes, error))
        return false;
    SetPathName(path);
    m_modified = false;
    return true;
}
