#include "platform/printing/printjob.h"

#include "platform/printing/jobprogress.h"
#include "platform/printing/paintercanvas.h"
#include "platform/ui/dialogs.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <exception>

PrintServices PrintServices::fromDialogs(QWidget* parent)
{
    PrintServices services;
    services.choosePrinter = [](QPrinter& printer) { return Dialogs::current().print(printer); };
    services.inform = [](const QString& text) { Dialogs::current().information(text); };
    services.parent = parent;
    return services;
}

JobOutcome printDocument(const JobRequest& request, const Document& document, QWidget* parent)
{
    return printDocument(applicationPrinter(), request, document, PrintServices::fromDialogs(parent));
}

JobOutcome runDocument(Canvas& canvas, const Document& document, const JobTexts& texts,
                       const std::function<void(const QString&)>& inform)
{
    const auto say = [&](const QString& text) {
        if (inform && !text.isEmpty())
            inform(text);
    };
    JobOutcome outcome = JobOutcome::Completed;
    try {
        document(canvas);
        if (!canvas.keepGoing())
            outcome = JobOutcome::Aborted;
    } catch (const std::exception&) {
        outcome = JobOutcome::Failed;
    }
    if (outcome == JobOutcome::Aborted)
        say(texts.aborted);
    say(outcome == JobOutcome::Completed ? texts.completed : texts.notFinished);
    return outcome;
}

void preparePrinter(QPrinter& printer, const JobRequest& request)
{
    // Qt prints through PDF on Linux; 1200 dpi makes the unit factor exactly 4.
    printer.setResolution(1200);
    printer.setDocName(request.title);
    if (request.orientation)
        printer.setPageOrientation(*request.orientation);
    if (request.pageSize)
        printer.setPageSize(*request.pageSize);
    if (request.fromPaperEdge) {
        printer.setFullPage(true);
    } else {
        printer.setFullPage(false);
        if (printer.outputFormat() == QPrinter::PdfFormat)
            printer.setPageMargins(QMarginsF(pdfMarginMillimetres, pdfMarginMillimetres,
                                             pdfMarginMillimetres, pdfMarginMillimetres),
                                   QPageLayout::Millimeter);
    }
    if (request.pageLayout)
        printer.setPageLayout(*request.pageLayout);
}

JobOutcome printDocument(QPrinter& printer, const JobRequest& request, const Document& document,
                         const PrintServices& services)
{
    if (request.askPrinter && services.choosePrinter && !services.choosePrinter(printer))
        return JobOutcome::Cancelled;
    // Label stocks and reports bring their own paper; the user's printer set-up comes back afterwards.
    struct Restore
    {
        QPrinter& printer;
        QPageLayout layout;
        bool fullPage;
        bool active;
        ~Restore()
        {
            if (active) {
                printer.setPageLayout(layout);
                printer.setFullPage(fullPage);
            }
        }
    } restore{printer, printer.pageLayout(), printer.fullPage(), request.pageSize || request.pageLayout};
    preparePrinter(printer, request);

    const auto inform = [&](const QString& text) {
        if (services.inform && !text.isEmpty())
            services.inform(text);
    };
    QPainter painter;
    if (!painter.begin(&printer)) {
        inform(request.texts.notFinished.isEmpty() ? request.texts.aborted : request.texts.notFinished);
        return JobOutcome::Failed;
    }
    JobProgress progress(request.title, services.parent);
    progress.show();
    PainterCanvas canvas(painter, printer);
    canvas.setKeepGoing([&] { return progress.poll(); });

    // The messages wait until the job is closed, so that a failing end counts.
    QStringList said;
    JobOutcome outcome = runDocument(canvas, document, request.texts,
                                     [&](const QString& text) { said.append(text); });
    const bool ended = painter.end();
    progress.hide();
    if (outcome == JobOutcome::Completed && (!ended || printer.printerState() == QPrinter::Error)) {
        outcome = JobOutcome::Failed;
        said = QStringList{request.texts.notFinished};
    }
    for (const QString& text : said)
        inform(text);
    return outcome;
}
