#pragma once
// The document half of the single-document framework: path, title, the
// modified flag, the views to notify, and opening and saving through CArchive.
// The GUI drives it (questions, dialogs); the core never shows anything.

#include <string>
#include <vector>

class CArchive;
class CDocument;

// What a view implements to be told that the document changed.
class CDocumentView {
public:
    virtual ~CDocumentView() = default;
    // hint is free for the caller; 0 means "everything may have changed".
    virtual void OnUpdate(CDocumentView* sender, long hint) = 0;
};

class CDocument {
public:
    CDocument() = default;
    virtual ~CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    // The default title of a document that has no file yet.
    static constexpr const char* kDefaultTitle = "Item";

    const std::string& GetPathName() const { return m_path; }
    // Sets the path and the title (the file name without folders).
    void SetPathName(const std::string& path);
    const std::string& GetTitle() const { return m_title; }
    void SetTitle(const std::string& title) { m_title = title; }

    bool IsModified() const { return m_modified; }
    // Virtual so that a document can follow every edit (undo history).
    virtual void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    // Views are not owned; a view removes itself before it goes away.
    void AddView(CDocumentView* view);
    void RemoveView(CDocumentView* view);
    const std::vector<CDocumentView*>& Views() const { return m_views; }
    // Calls OnUpdate of every view except sender.
    void UpdateAllViews(CDocumentView* sender, long hint = 0);

    // Empties the document: DeleteContents, no path, default title, not modified.
    // Derived documents extend it; false abandons the new document.
    virtual bool OnNewDocument();

    // Reads the file, resets the document with DeleteContents, then loads the
    // bytes through Serialize (an empty file is not passed to Serialize). On
    // success the document takes the path and is not modified. false with a
    // message in error when the file cannot be read; the document is then
    // left as it was.
    virtual bool OnOpenDocument(const std::string& path, std::string* error = nullptr);

    // Stores through Serialize and replaces the file atomically; on success
    // the document takes the path and is not modified. false with a message in
    // error on a write failure; the old file is then untouched.
    virtual bool OnSaveDocument(const std::string& path, std::string* error = nullptr);

    virtual void DeleteContents() {}
    virtual void Serialize(CArchive& archive) = 0;

private:
    std::string m_path;
    std::string m_title = kDefaultTitle;
    bool m_modified = false;
    std::vector<CDocumentView*> m_views;
};
