#include "csv.h"

namespace csv {

QString line(const QStringList& fields)
{
    QStringList out;
    for (const QString& f : fields) {
        if (f.contains(QLatin1Char(',')) || f.contains(QLatin1Char('"')) || f.contains(QLatin1Char('\n'))
            || f.contains(QLatin1Char('\r'))) {
            QString q = f;
            q.replace(QLatin1String("\""), QLatin1String("\"\""));
            out << QLatin1Char('"') + q + QLatin1Char('"');
        } else {
            out << f;
        }
    }
    return out.join(QLatin1Char(','));
}

bool read(QTextStream& in, QStringList& fields)
{
    fields.clear();
    if (in.atEnd())
        return false;
    QString field;
    bool quoted = false;
    bool any = false;
    while (true) {
        QString l = in.readLine();
        if (l.isNull() && !quoted)
            break;
        any = true;
        for (qsizetype i = 0; i < l.size(); ++i) {
            const QChar c = l[i];
            if (quoted) {
                if (c == QLatin1Char('"')) {
                    if (i + 1 < l.size() && l[i + 1] == QLatin1Char('"')) {
                        field += c;
                        ++i;
                    } else {
                        quoted = false;
                    }
                } else {
                    field += c;
                }
            } else if (c == QLatin1Char('"')) {
                quoted = true;
            } else if (c == QLatin1Char(',')) {
                fields << field;
                field.clear();
            } else if (c != QLatin1Char('\r')) {
                field += c;
            }
        }
        if (!quoted || in.atEnd())
            break;
        field += QLatin1String("\r\n");
    }
    if (any)
        fields << field;
    return any;
}

} // namespace csv
