// Printing of the channel table: one table per page under a date line, up
// to 35 channels in use per page, each page scaled so that the whole table
// plus its side margins spans the paper width.

#include "editor/velmar_view.h"

#include "grid/grid_ctrl.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/message_box.h"
#include "platform/ui/print_driver.h"
#include "platform/ui/print_info.h"
#include "shell/lang_string.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <ctime>
#include <string>

namespace {
constexpr int kRowsPerPage = 35;
// The rows the printout looks at, whatever the grid holds.
constexpr int kLastPrintRow = 96;
constexpr int kMeasureFontHeight = 9;
constexpr int kPageFontHeight = 11;
const QString kAlphabet = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");

// The print face, or the closest serif face installed. The height is in the
// painter's logical units, so the page mapping scales it with the table.
QFont PrintFont(int height)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setFamilies({ QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
        QStringLiteral("DejaVu Serif"), QStringLiteral("serif") });
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(height);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

// a * b / c rounded to the nearest integer, without overflow; -1 when c is 0.
int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = (c < 0 ? -c : c) / 2;
    const std::int64_t rounded = (product < 0) != (c < 0) ? product - half : product + half;
    return static_cast<int>(rounded / c);
}

QString DateLine()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    char text[128] = {};
    if (std::strftime(text, sizeof text, "%Y-%m-%d %A %H:%M", &local) == 0)
        return {};
    return QString::fromLocal8Bit(text);
}
} // namespace

bool CVelmarView::IsPrintableRow(int row) const
{
    return m_grid && !m_grid->CellText(row, 1).isEmpty();
}

int CVelmarView::PrintableRowCount() const
{
    int count = 0;
    for (int row = 1; row <= kLastPrintRow; ++row) {
        if (IsPrintableRow(row))
            ++count;
    }
    return count;
}

bool CVelmarView::OnPreparePrinting(CPrintInfo& info)
{
    const int rows = PrintableRowCount();
    info.SetMaxPage(rows == 0 ? 1 : (rows + kRowsPerPage - 1) / kRowsPerPage);
    info.m_nNumPreviewPages = 1;
    m_leftMarginChars = 4;
    m_rightMarginChars = 4;
    return DoPreparePrinting(info);
}

void CVelmarView::OnBeginPrinting(QPainter& dc, CPrintInfo&)
{
    m_printFont = PrintFont(kMeasureFontHeight);
    dc.save();
    dc.setFont(*m_printFont);
    m_charWidth = dc.fontMetrics().horizontalAdvance(kAlphabet) / static_cast<int>(kAlphabet.size());
    m_pageWidth = dc.device()->width();
    m_pageHeight = dc.device()->height();
    const int tableWidth = m_grid ? m_grid->TotalWidth() : 0;
    m_logicalWidth = tableWidth + (m_leftMarginChars + m_rightMarginChars) * m_charWidth;
    m_logicalHeight = MulDiv(m_logicalWidth, m_pageHeight, m_pageWidth);
    dc.restore();
}

void CVelmarView::OnPrint(QPainter& dc, CPrintInfo& info)
{
    m_printFont = PrintFont(kPageFontHeight);
    dc.save();
    dc.setFont(*m_printFont);
    // Hairlines for the table's rules, at any scale.
    dc.setPen(QPen(Qt::black, 0));

    // The grid draws in its own pixel units, shifted right by the left margin
    // and scaled to the paper width; the window origin then walks down the page.
    int originX = -m_charWidth * m_leftMarginChars;
    int originY = 0;
    const auto setOrigin = [&] { dc.setWindow(originX, originY, m_logicalWidth, m_logicalHeight); };
    dc.setViewport(0, 0, m_pageWidth, m_pageHeight);
    setOrigin();

    const int headingHeight = m_grid ? m_grid->FixedRowsHeight() : 0;
    info.m_rectDraw
        = QRect(0, 0, m_logicalWidth - (m_leftMarginChars + m_rightMarginChars) * m_charWidth, headingHeight);
    dc.drawText(info.m_rectDraw, Qt::AlignLeft | Qt::AlignTop, DateLine());

    if (m_grid) {
        originY -= headingHeight;
        setOrigin();
        m_grid->PrintHeadingRows(dc);

        const int page = info.m_nCurPage;
        int printed = 0;
        int previousHeight = headingHeight;
        for (int row = 1; row <= kLastPrintRow; ++row) {
            if (!IsPrintableRow(row))
                continue;
            ++printed;
            if (printed <= kRowsPerPage * (page - 1))
                continue;
            if (printed > kRowsPerPage * page)
                break;
            originY -= previousHeight;
            setOrigin();
            m_grid->PrintBodyRow(dc, row);
            previousHeight = m_grid->RowSize(row);
        }
    }

    originX = 0;
    originY = 0;
    setOrigin();
    dc.restore();
}

void CVelmarView::OnEndPrinting(QPainter&, CPrintInfo&)
{
    m_printFont.reset();
}

void CVelmarView::OnFileExportPdf()
{
    FileDialogRequest request;
    request.save = true;
    request.filter = LoadLangString("IDS_PDF_FILTER");
    std::string name = "Item";
    if (const CDocument* doc = CView::GetDocument(); doc && !doc->GetTitle().empty())
        name = QFileInfo(QString::fromStdString(doc->GetTitle())).completeBaseName().toStdString();
    request.defaultName = name + ".pdf";
    const std::string path = AskFileName(window(), request);
    if (path.empty())
        return;
    std::string error;
    if (!PrintViewToPdf(*this, path, &error)) {
        QString text = QString::fromStdString(LoadLangString("IDS_ERROR_PDF_WRITE"));
        text.replace(QStringLiteral("%s"), QString::fromStdString(error));
        ShowMessageBox(window(), text.toStdString(), LoadLangString("IDS_ERROR"), MB_OK | MB_ICONERROR);
    }
}
