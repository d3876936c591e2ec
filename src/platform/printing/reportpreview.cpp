#include "platform/printing/reportpreview.h"

#include "platform/printing/paintercanvas.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

JobRequest reportRequest(const ReportLayout& layout, bool askPrinter)
{
    JobRequest request;
    request.title = layout.name;
    request.askPrinter = askPrinter;
    request.orientation = layout.orientation;
    request.texts.completed.clear();
    return request;
}

}

JobOutcome printReport(QPrinter& printer, const ReportLayout& layout, const ReportData& data,
                       const PrintServices& services, bool askPrinter)
{
    JobRequest request = reportRequest(layout, askPrinter);
    request.pageLayout = layout.pageLayout();
    return printDocument(printer, request, [&](Canvas& canvas) { renderReport(canvas, layout, data); }, services);
}

ReportPreview::ReportPreview(const ReportLayout& layout, const ReportData& data, QPrinter& printer,
                             const PrintServices& services, QWidget* parent)
    : QDialog(parent), m_layout(layout), m_data(data), m_printer(printer), m_services(services),
      m_screen(QPrinter::HighResolution)
{
    setWindowTitle(layout.name);
    m_screen.setResolution(1200);
    m_screen.setPageLayout(layout.pageLayout());
    m_screen.setFullPage(false);

    auto* layoutBox = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    const auto button = [&](const QString& text, auto slot) {
        auto* b = new QToolButton(this);
        b->setText(text);
        connect(b, &QToolButton::clicked, this, slot);
        bar->addWidget(b);
        return b;
    };
    m_preview = new QPrintPreviewWidget(&m_screen, this);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, &ReportPreview::paint);
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, &ReportPreview::updatePageText);
    button(tr("First"), [this] { m_preview->setCurrentPage(1); updatePageText(); });
    button(tr("Previous"), [this] { m_preview->setCurrentPage(m_preview->currentPage() - 1); updatePageText(); });
    button(tr("Next"), [this] { m_preview->setCurrentPage(m_preview->currentPage() + 1); updatePageText(); });
    button(tr("Last"), [this] { m_preview->setCurrentPage(m_preview->pageCount()); updatePageText(); });
    m_page = new QLabel(this);
    bar->addWidget(m_page);
    m_zoom = new QComboBox(this);
    m_zoom->addItem(tr("Page width"), 0);
    for (int p : {50, 75, 93, 100, 125, 150, 200})
        m_zoom->addItem(QStringLiteral("%1 %").arg(p), p);
    connect(m_zoom, &QComboBox::activated, this, [this](int index) {
        const int p = m_zoom->itemData(index).toInt();
        setZoom(p == 0 ? PreviewZoom::toPageWidth() : PreviewZoom::toPercent(p));
    });
    bar->addWidget(m_zoom);
    bar->addStretch();
    auto* printButton = new QPushButton(tr("&Print"), this);
    connect(printButton, &QPushButton::clicked, this, &ReportPreview::print);
    bar->addWidget(printButton);
    auto* close = new QPushButton(tr("&Close"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    bar->addWidget(close);
    layoutBox->addLayout(bar);
    layoutBox->addWidget(m_preview, 1);
}

void ReportPreview::paint(QPrinter* printer)
{
    QPainter painter(printer);
    PainterCanvas canvas(painter, *printer);
    renderReport(canvas, m_layout, m_data);
}

void ReportPreview::setZoom(const PreviewZoom& zoom)
{
    if (zoom.pageWidth) {
        m_preview->fitToWidth();
        m_zoom->setCurrentIndex(0);
    } else {
        m_preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
        m_preview->setZoomFactor(zoom.percent / 100.0);
        const int i = m_zoom->findData(int(zoom.percent));
        if (i >= 0)
            m_zoom->setCurrentIndex(i);
    }
}

int ReportPreview::pageCount() const
{
    return m_preview->pageCount();
}

int ReportPreview::currentPage() const
{
    return m_preview->currentPage();
}

void ReportPreview::updatePageText()
{
    m_page->setText(tr("Page %1 of %2").arg(m_preview->currentPage()).arg(m_preview->pageCount()));
}

void ReportPreview::print()
{
    printReport(m_printer, m_layout, m_data, m_services);
}

void showReportPreview(const ReportLayout& layout, const ReportData& data, QPrinter& printer,
                       const PrintServices& services, const PreviewZoom& zoom, QWidget* parent)
{
    ReportPreview preview(layout, data, printer, services, parent);
    preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
    preview.setZoom(zoom);
    preview.exec();
}
