#include "testfiles.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

QString sampleOutput(const TempFolder& folder, const QString& name)
{
    const QString keep = qEnvironmentVariable("VELMORA_PRINTING_SAMPLES");
    if (!keep.isEmpty()) {
        QDir().mkpath(keep);
        return QDir(keep).filePath(name);
    }
    return folder.file(name);
}

QString runTool(const QString& program, const QStringList& arguments, bool* ran)
{
    QProcess process;
    process.start(program, arguments);
    const bool ok = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit
                    && process.exitCode() == 0;
    if (ran)
        *ran = ok;
    return ok ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

QString pdfText(const QString& pdf)
{
    return runTool("pdftotext", {"-layout", pdf, "-"});
}

int pdfPageCount(const QString& pdf)
{
    bool ran = false;
    const QString info = runTool("pdfinfo", {pdf}, &ran);
    const QRegularExpressionMatch m = QRegularExpression(R"(Pages:\s+(\d+))").match(info);
    return ran && m.hasMatch() ? m.captured(1).toInt() : -1;
}
