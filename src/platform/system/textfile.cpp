#include "platform/system/textfile.h"

#include "platform/system/errors.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>

QString decodeText(const QByteArray& bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (utf8.hasError())
        return QString::fromLatin1(view.data(), view.size());
    return text;
}

QStringList readTextLines(const QString& path, bool* ok)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (ok)
            *ok = false;
        return {};
    }
    const QString text = decodeText(file.readAll());
    if (ok)
        *ok = true;
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the final line end
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    return lines;
}

void writeTextLines(const QString& path, const QStringList& lines)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        QByteArray bytes;
        for (const QString& line : lines) {
            bytes += line.toUtf8();
            bytes += "\r\n";
        }
        if (file.write(bytes) == bytes.size() && file.commit())
            return;
    }
    throw AppError(QStringLiteral("Unable to write to ") + path);
}

void writeTextFile(const QString& path, const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineEnd);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    writeTextLines(path, lines);
}
