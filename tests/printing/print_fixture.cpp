#include "printing/print_fixture.h"

#include "grid/grid_ctrl.h"
#include "platform/ui/print_driver.h"
#include "templates/command_ids.h"

#include <QApplication>
#include <QRegularExpression>
#include <QStringList>
#include <QTimer>

#include <array>
#include <cstdio>
#include <ctime>
#include <sys/wait.h>

namespace {
const char* const kSettings = "[setup]\nlanguage=english\nchannel=16\npassword=1\n\n[ModelInfo]\n"
                              "data0=00400052\nFreq0=400-520MHz\ndata1=60134017\nFreq1=136-174MHz\n";
}

CommandResult RunCommand(const std::string& command)
{
    CommandResult result;
    // The time limit keeps a stuck tool from hanging the test run.
    FILE* pipe = popen(("timeout 120 " + command).c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> buffer {};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

int PdfPageCount(const std::string& pdf)
{
    const CommandResult info = RunCommand("pdfinfo " + ShellQuote(pdf) + " 2>&1");
    const QRegularExpressionMatch match
        = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
              .match(QString::fromStdString(info.out));
    return info.code == 0 && match.hasMatch() ? match.captured(1).toInt() : -1;
}

std::string PdfPageText(const std::string& pdf, int page)
{
    const std::string p = std::to_string(page);
    return RunCommand("pdftotext -layout -f " + p + " -l " + p + " " + ShellQuote(pdf) + " -").out;
}

QImage PdfPageImage(const std::string& pdf, int page, int dpi)
{
    const std::string p = std::to_string(page);
    const std::string prefix = pdf + "-page" + p;
    RunCommand("pdftoppm -png -singlefile -r " + std::to_string(dpi) + " -f " + p + " -l " + p + " "
        + ShellQuote(pdf) + " " + ShellQuote(prefix));
    return QImage(QString::fromStdString(prefix + ".png"));
}

std::vector<int> PrintedLabels(const std::string& pageText)
{
    std::vector<int> labels;
    static const QRegularExpression leadingNumber(QStringLiteral("^\\s*(\\d+)\\s"));
    for (const QString& line : QString::fromStdString(pageText).split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = leadingNumber.match(line);
        if (match.hasMatch())
            labels.push_back(match.captured(1).toInt());
    }
    return labels;
}

void WithModalDialog(const std::function<void()>& action, const std::function<void(QWidget*)>& check)
{
    bool seen = false;
    QTimer timer;
    timer.setInterval(50);
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            if (++ticks > 200)
                timer.stop();
            return;
        }
        timer.stop();
        seen = true;
        check(modal);
        if (QApplication::activeModalWidget() == modal)
            modal->close();
    });
    timer.start();
    action();
    timer.stop();
    EXPECT_TRUE(seen) << "no dialog opened";
}

std::vector<std::string> DateLinesNearNow()
{
    std::vector<std::string> lines;
    const std::time_t now = std::time(nullptr);
    for (std::time_t t : { now, now - 60 }) {
        std::tm local {};
        localtime_r(&t, &local);
        char text[128] = {};
        std::strftime(text, sizeof text, "%Y-%m-%d %A %H:%M", &local);
        lines.emplace_back(text);
    }
    return lines;
}

void PrintFixture::SetUp()
{
    m_home = std::make_unique<VelmarHome>();
    m_home->Install(kSettings);

    doc = std::make_unique<CVelmarDoc>();
    ASSERT_TRUE(doc->OnNewDocument());
    view = new CVelmarView;
    view->AttachDocument(doc.get());
    view->OnInitialUpdate();
    ASSERT_NE(Grid(), nullptr);
}

void PrintFixture::TearDown()
{
    delete view;
    view = nullptr;
    doc.reset();
    m_home.reset();
}

void PrintFixture::UseChannels(const std::vector<int>& inUse)
{
    for (int ch = 1; ch <= 16; ++ch)
        doc->SetFreqText(ch, true, "");
    for (int ch : inUse) {
        const std::string freq = std::to_string(430 + ch) + ".12500";
        doc->SetFreqText(ch, true, freq);
        doc->SetFreqText(ch, false, freq);
    }
    view->OnUpdate(nullptr, 0);
}

void PrintFixture::UseGridRows(int rows)
{
    CGridCtrl* grid = Grid();
    ASSERT_TRUE(grid->SetRows(rows + 1));
    for (int r = 1; r <= rows; ++r) {
        grid->SetRowSize(r, 21);
        grid->SetCellText(r, 0, QString::number(r));
        grid->SetCellText(r, 1, QStringLiteral("F%1").arg(r, 3, 10, QLatin1Char('0')));
    }
}

std::string PrintFixture::PrintPdf(const std::string& name)
{
    const std::string path = m_home->file(name);
    std::string error;
    EXPECT_TRUE(PrintViewToPdf(*view, path, &error)) << error;
    return path;
}

CGridCtrl* PrintFixture::Grid() const
{
    return view ? view->Grid() : nullptr;
}
