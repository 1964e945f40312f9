#pragma once
// The document template's strings (resource 128): window title, document
// name, new-file name, file-dialog filter text and extension. Qt-free.

struct DocumentString {
    const char* windowTitle;
    const char* docName;      // the default title, and the name a new file is offered
    const char* fileNewName;
    const char* filterName;   // text of the open and save dialogs' filter
    const char* filterExt;    // with the dot
    const char* regFileTypeId;
};

const DocumentString& MainDocumentString();
