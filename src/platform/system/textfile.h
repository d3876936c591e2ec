#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text files the program writes travel to Windows users: they are written as UTF-8 with
// CRLF line ends. Reading accepts LF or CRLF, and takes bytes that are not valid UTF-8
// as Latin-1 (files written by older Windows programs).

// UTF-8 (a byte-order mark dropped) or, when the bytes are not valid UTF-8, Latin-1.
QString decodeText(const QByteArray& bytes);

// The lines of a file without their line ends; empty when the file is missing or
// unreadable (ok, when given, tells which).
QStringList readTextLines(const QString& path, bool* ok = nullptr);

// Writes lines, each ended by CRLF, replacing the file in one step (a crash leaves the
// old file or the new one, never half of it). Throws AppError("Unable to write to " + path).
void writeTextLines(const QString& path, const QStringList& lines);

// Writes text with every line end (LF, CR or CRLF) written as CRLF.
void writeTextFile(const QString& path, const QString& text);
