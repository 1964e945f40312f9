#pragma once
// The main window: menu, toolbar with tooltips from the language file, the
// status bar with the configured port, help, dropped files, and the title
// that is always the translated window name. Closing it asks the
// save-changes question and closes the serial port. UI thread only.

#include <QMainWindow>

#include <string>

class CommandActions;
class CView;
class QLabel;
class QScrollArea;
class QToolBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    CommandActions* Commands() const { return m_commands; }
    QToolBar* ToolBar() const { return m_toolBar; }

    // Places the form view in the client area (scrolled when larger).
    void SetView(CView* view);
    CView* GetActiveView() const { return m_view; }

    // Status-bar pane 0: "COM%d" of port.
    void ShowPort(int port);
    QString PortText() const;

    // Window text = the translated window name; the document's title is never shown.
    void OnUpdateFrameTitle();

    // The toolbar tooltip of a command: "IDS_TIP_<id>" cut to 19 bytes
    // (never inside a UTF-8 character); empty for id 0.
    static std::string TooltipText(int commandId);

    // Help file: the language file's name with ".chm", or the shipped
    // ".html" manual when there is no .chm; opened with the desktop's viewer.
    static std::string HelpFilePath();
    void OnHelp();

    // Radio commands; their dialogs live in src/radio/ui (radio_commands.cpp).
    void OnReadRadio();
    void OnWriteRadio();
    void OnTestMode();

    // Closes the application's serial link when it is open.
    void CloseSerialLink();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OnCreate();

    CommandActions* m_commands = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_portPane = nullptr;
    QLabel* m_numPane = nullptr;
    QScrollArea* m_scroll = nullptr;
    CView* m_view = nullptr;
};
