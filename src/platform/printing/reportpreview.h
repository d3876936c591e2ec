#pragma once

#include "platform/printing/printjob.h"
#include "platform/printing/report.h"

#include <QDialog>
#include <QPrinter>

class QComboBox;
class QLabel;
class QPrintPreviewWidget;

struct PreviewZoom
{
    bool pageWidth = true;   // fit the page width to the window
    double percent = 100;    // used when not fitting

    static PreviewZoom toPageWidth() { return {}; }
    static PreviewZoom toPercent(double p) { return {false, p}; }
};

// The screen preview of a report: page navigation, zoom and Print. Printing goes
// through the print dialog of the services and the same job path as documents.
class ReportPreview : public QDialog
{
    Q_OBJECT
public:
    ReportPreview(const ReportLayout& layout, const ReportData& data, QPrinter& printer,
                  const PrintServices& services, QWidget* parent = nullptr);

    void setZoom(const PreviewZoom& zoom);
    int pageCount() const;
    int currentPage() const;
    QPrintPreviewWidget* previewWidget() const { return m_preview; }

public slots:
    void print();

private:
    void paint(QPrinter* printer);
    void updatePageText();

    ReportLayout m_layout;
    ReportData m_data;
    QPrinter& m_printer;
    PrintServices m_services;
    QPrinter m_screen;
    QPrintPreviewWidget* m_preview;
    QComboBox* m_zoom;
    QLabel* m_page;
};

// Draws a report on a printer through the job path (no messages when it completes).
JobOutcome printReport(QPrinter& printer, const ReportLayout& layout, const ReportData& data,
                       const PrintServices& services, bool askPrinter = true);

// Shows the preview maximised, modal, until it is closed.
void showReportPreview(const ReportLayout& layout, const ReportData& data, QPrinter& printer,
                       const PrintServices& services, const PreviewZoom& zoom = PreviewZoom::toPageWidth(),
                       QWidget* parent = nullptr);
