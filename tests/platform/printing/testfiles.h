#pragma once

#include "support/tempfolder.h"

#include <QString>

// Where a test writes a PDF: the temporary folder, or VELMORA_PRINTING_SAMPLES
// when set, so the pages can be looked at afterwards.
QString sampleOutput(const TempFolder& folder, const QString& name);
// Text and page count of a PDF through poppler's tools (-1 when they cannot run).
QString pdfText(const QString& pdf);
int pdfPageCount(const QString& pdf);
// Runs a program and gives its standard output; empty when it cannot run.
QString runTool(const QString& program, const QStringList& arguments, bool* ran = nullptr);
