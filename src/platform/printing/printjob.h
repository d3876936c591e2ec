#pragma once

#include "platform/printing/canvas.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <functional>
#include <optional>

class QPrinter;
class QWidget;

// A document is a function drawing on a canvas; long documents ask
// canvas.keepGoing() between lines and stop drawing when it answers false.
using Document = std::function<void(Canvas&)>;

enum class JobOutcome { Cancelled, Completed, Aborted, Failed };

// The closing texts of a job; label runs use their own.
struct JobTexts
{
    QString completed = QStringLiteral("All Data sent to Printer");
    QString aborted = QStringLiteral("Printing aborted");
    QString notFinished = QStringLiteral("The print job did not finish printing");

    static JobTexts labels()
    {
        return {QStringLiteral("All Done!"), QStringLiteral("Printing aborted"), QString()};
    }
};

// What a job needs from the user interface: the print dialog and an information box.
struct PrintServices
{
    std::function<bool(QPrinter&)> choosePrinter;   // false = cancelled
    std::function<void(const QString&)> inform;
    QWidget* parent = nullptr;

    // The program's own: the Dialogs service's print dialog and information box.
    static PrintServices fromDialogs(QWidget* parent = nullptr);
};

struct JobRequest
{
    QString title;                       // the job's document name
    bool askPrinter = true;              // the print dialog first
    std::optional<QPageLayout::Orientation> orientation = QPageLayout::Portrait;
    bool fromPaperEdge = false;          // positions from the paper's corner (label sheets)
    std::optional<QPageSize> pageSize;   // label sheets: Letter whatever the printer has
    std::optional<QPageLayout> pageLayout;   // reports: their own paper and margins
    JobTexts texts;
};

// Margins given to PDF output, which has no unprintable border of its own, so
// that a PDF matches what an office laser printer puts on paper.
constexpr double pdfMarginMillimetres = 6.35;

// Runs a document on a canvas and shows the closing message(s). Aborted when the
// canvas stopped going; the pages drawn so far stay in the job.
JobOutcome runDocument(Canvas& canvas, const Document& document, const JobTexts& texts,
                       const std::function<void(const QString&)>& inform);

// Sets the printer up for a request (resolution, orientation, paper, PDF margins).
void preparePrinter(QPrinter& printer, const JobRequest& request);

// The whole job: print dialog, set-up, the document drawn under a small
// "Esc to abort" window, and the closing message.
JobOutcome printDocument(QPrinter& printer, const JobRequest& request, const Document& document,
                         const PrintServices& services);

// The same on the application's printer with the Dialogs service.
JobOutcome printDocument(const JobRequest& request, const Document& document, QWidget* parent = nullptr);
