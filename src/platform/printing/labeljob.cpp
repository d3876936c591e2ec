#include "platform/printing/labeljob.h"

namespace {

LabelRun withAbort(const LabelRun& run, const LabelJob& job)
{
    LabelRun r = run;
    if (job.aborted) {
        r.beforePrint = [before = run.beforePrint, aborted = job.aborted](LabelLayout& layout) {
            if (aborted())
                return BeforePrint::Stop;
            return before ? before(layout) : BeforePrint::Print;
        };
    }
    return r;
}


}

LabelJobResult runLabelSheets(Canvas& canvas, LabelLayout& layout, LabelSource* source, const LabelRun& run,
                              const LabelJob& job, const std::function<void(const QString&)>& inform)
{
    LabelJobResult result;
    const LabelRun r = withAbort(run, job);
    const JobTexts texts = JobTexts::labels();
    result.outcome = runDocument(canvas, [&](Canvas& c) { result.run = printLabels(c, layout, source, r); },
                                 texts, {});
    if (result.outcome == JobOutcome::Completed && job.aborted && job.aborted())
        result.outcome = JobOutcome::Aborted;
    if (inform)
        inform(result.outcome == JobOutcome::Completed ? texts.completed : texts.aborted);
    return result;
}

LabelJobResult printLabelSheets(QPrinter& printer, LabelLayout& layout, LabelSource* source, const LabelRun& run,
                                const LabelJob& job, const PrintServices& services)
{
    LabelJobResult result;
    JobRequest request;
    request.title = job.title;
    request.askPrinter = job.askPrinter;
    request.fromPaperEdge = true;
    request.pageSize = QPageSize(QPageSize::Letter);
    request.texts = JobTexts{};
    request.texts.completed.clear();
    request.texts.aborted.clear();
    request.texts.notFinished.clear();
    const LabelRun r = withAbort(run, job);
    result.outcome = printDocument(printer, request,
                                   [&](Canvas& c) { result.run = printLabels(c, layout, source, r); }, services);
    if (result.outcome == JobOutcome::Cancelled)
        return result;
    if (result.outcome == JobOutcome::Completed && job.aborted && job.aborted())
        result.outcome = JobOutcome::Aborted;
    if (services.inform)
        services.inform(result.outcome == JobOutcome::Completed ? JobTexts::labels().completed
                                                                 : JobTexts::labels().aborted);
    return result;
}
