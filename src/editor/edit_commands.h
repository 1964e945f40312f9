#pragma once
// Document commands of the main window beyond reading, writing and printing:
// Undo and Redo of the editor's changes, and export and import of the channel
// table as CSV (docs/csv.md), with the import's confirmation. UI thread only.

class CVelmarDoc;
class QWidget;

class CEditCommands
{
public:
    // An in-place editor or field still open is committed first, so its
    // change is the one undone.
    static void Undo(CVelmarDoc* doc);
    static void Redo(CVelmarDoc* doc);

    // Asks for a file name and writes the table's rows there.
    static void ExportChannels(QWidget* owner, CVelmarDoc* doc);
    // Asks for a file, refuses a bad one with its line and reason, lists every
    // value stored other than given and imports only after OK.
    static void ImportChannels(QWidget* owner, CVelmarDoc* doc);

    // Lines of adjustments shown in the confirmation; more are counted.
    static constexpr int kShownAdjustments = 20;
};
