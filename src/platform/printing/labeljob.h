#pragma once

#include "platform/printing/labels.h"
#include "platform/printing/printjob.h"

// A label run as a print job: the print dialog first (unless the labels go to
// the current printer), Letter from the paper's corner, and at the end
// "Printing aborted" when the run was aborted, otherwise "All Done!".
struct LabelJob
{
    QString title = QStringLiteral("Labels");
    bool askPrinter = true;
    // The window's abort flag; once set, the run stops before the next label.
    std::function<bool()> aborted;
};

struct LabelJobResult
{
    JobOutcome outcome = JobOutcome::Cancelled;
    LabelRunResult run;
};

LabelJobResult printLabelSheets(QPrinter& printer, LabelLayout& layout, LabelSource* source, const LabelRun& run,
                                const LabelJob& job, const PrintServices& services);

// The core of it on any canvas (tests use a recording canvas).
LabelJobResult runLabelSheets(Canvas& canvas, LabelLayout& layout, LabelSource* source, const LabelRun& run,
                              const LabelJob& job, const std::function<void(const QString&)>& inform);
