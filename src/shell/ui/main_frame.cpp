#include "shell/ui/main_frame.h"

#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/ui/command_actions.h"
#include "platform/ui/view.h"
#include "shell/lang_string.h"
#include "shell/settings_file.h"
#include "shell/ui/velmar_app.h"
#include "templates/accel_template.h"
#include "templates/command_ids.h"
#include "templates/menu_template.h"
#include "templates/toolbar_template.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QUrl>

#include <string>

namespace {
constexpr int kFrameWidth = 900;
constexpr int kFrameHeight = 700;
constexpr std::size_t kTooltipBytes = 19;

// Cuts text to at most max bytes without splitting a UTF-8 sequence.
std::string CutUtf8(const std::string& text, std::size_t max)
{
    if (text.size() <= max)
        return text;
    std::size_t end = max;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0u) == 0x80u)
        --end;
    return text.substr(0, end);
}
}

CMainFrame::CMainFrame()
{
    setObjectName(QStringLiteral("mainFrame"));
    setAttribute(Qt::WA_DeleteOnClose);
    OnCreate();
}

CMainFrame::~CMainFrame()
{
    CloseSerialLink();
}

bool CMainFrame::OnCreate()
{
    m_commands = new CommandActions(this);
    if (const MenuTemplate* menu = FindMenuTemplate(IDR_MAINFRAME))
        m_commands->BuildMenu(menuBar(), *menu);

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ctl59392"));
    m_toolBar->setProperty("controlId", 59392);
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    if (const ToolbarTemplate* bar = FindToolbarTemplate(IDR_MAINFRAME)) {
        m_commands->BuildToolbar(m_toolBar, *bar);
        for (QAction* action : m_toolBar->actions()) {
            if (QWidget* button = m_toolBar->widgetForAction(action))
                button->installEventFilter(this);
        }
    }
    if (const AccelTemplate* accel = FindAccelTemplate(IDR_MAINFRAME))
        m_commands->AddAccelerators(*accel);

    QStatusBar* status = statusBar();
    status->setObjectName(QStringLiteral("ctl59393"));
    status->setSizeGripEnabled(true);
    m_portPane = new QLabel(status);
    m_portPane->setObjectName(QStringLiteral("indicator129"));
    m_portPane->setMinimumWidth(QFontMetrics(m_portPane->font()).horizontalAdvance(QStringLiteral("COMX")) + 8);
    status->addWidget(m_portPane);
    m_numPane = new QLabel(status);
    m_numPane->setObjectName(QStringLiteral("indicator59138"));
    m_numPane->setMinimumWidth(QFontMetrics(m_numPane->font()).horizontalAdvance(QStringLiteral("NUM")) + 8);
    status->addPermanentWidget(m_numPane);

    m_commands->SetHandler(ID_READ_RADIO, [this] { OnReadRadio(); });
    m_commands->SetHandler(ID_WRITE_RADIO, [this] { OnWriteRadio(); });
    m_commands->SetHandler(ID_TEST_MODE, [this] { OnTestMode(); });
    m_commands->SetHandler(ID_HELP_FILE, [this] { OnHelp(); });
    m_commands->SetHandler(ID_APP_EXIT, [this] { close(); });

    // Always this size and centred, whatever the window had last time.
    setGeometry(0, 0, kFrameWidth, kFrameHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(0, 0, kFrameWidth, kFrameHeight);
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    ShowPort(GetPrivateProfileInt("setup", "com", 1, SettingsFile()));
    return true;
}

void CMainFrame::SetView(CView* view)
{
    m_view = view;
    if (!m_scroll) {
        m_scroll = new QScrollArea(this);
        m_scroll->setObjectName(QStringLiteral("viewScroller"));
        m_scroll->setFrameShape(QFrame::NoFrame);
        m_scroll->setWidgetResizable(false);
        setCentralWidget(m_scroll);
    }
    m_scroll->setWidget(view);
}

void CMainFrame::ShowPort(int port)
{
    m_portPane->setText(QStringLiteral("COM%1").arg(port));
}

QString CMainFrame::PortText() const
{
    return m_portPane->text();
}

void CMainFrame::OnUpdateFrameTitle()
{
    setWindowTitle(QString::fromStdString(LoadLangString("IDS_WINDOWNAME")));
}

std::string CMainFrame::TooltipText(int commandId)
{
    if (commandId == 0)
        return {};
    return CutUtf8(LoadLangString("IDS_TIP_" + std::to_string(commandId)), kTooltipBytes);
}

std::string CMainFrame::HelpFilePath()
{
    const std::string& language = LanguageFile();
    const std::size_t dot = language.rfind('.');
    const std::size_t slash = language.rfind('/');
    const std::string stem =
        dot != std::string::npos && (slash == std::string::npos || dot > slash) ? language.substr(0, dot) : language;
    const std::string chm = stem + ".chm";
    if (!FileExists(chm) && FileExists(stem + ".html"))
        return stem + ".html";
    return chm;
}

void CMainFrame::OnHelp()
{
    // A missing file is the viewer's to report.
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(HelpFilePath())));
}

void CMainFrame::CloseSerialLink()
{
    if (CVelmarApp* app = CVelmarApp::Instance()) {
        if (app->GetSerialLink().IsOpen())
            app->GetSerialLink().Close();
    }
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    CWinApp* app = CWinApp::AfxGetApp();
    if (app && !app->SaveModified()) {
        event->ignore();
        return;
    }
    CloseSerialLink();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    activateWindow();
    if (CWinApp* app = CWinApp::AfxGetApp()) {
        for (const QString& file : files)
            app->OpenDocumentFile(file.toStdString());
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* button = qobject_cast<QToolButton*>(watched);
        const QAction* action = button ? button->defaultAction() : nullptr;
        const int id = action ? action->data().toInt() : 0;
        const std::string text = TooltipText(id);
        auto* help = static_cast<QHelpEvent*>(event);
        if (text.empty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), QString::fromStdString(text), button);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
