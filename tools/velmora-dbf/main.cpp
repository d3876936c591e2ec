// velmora-dbf: a maintainer's and supporter's tool over the program's own table layer.

#include "csv.h"
#include "platform/xbase/table.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

#include <cstdio>

namespace {

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}

QTextStream& err()
{
    static QTextStream s(stderr);
    return s;
}

int usage()
{
    err() << "usage:\n"
             "  velmora-dbf info FILE\n"
             "  velmora-dbf reclen FILE\n"
             "  velmora-dbf dump FILE [--tag EXPR [--descending]] [--deleted] [--unscramble N] [--header]\n"
             "  velmora-dbf create FILE --fields \"name C 10, n N 5.2, d D, ok L, m M\"\n"
             "  velmora-dbf append FILE [--scramble N] < rows.csv\n"
             "  velmora-dbf scramble FILE N | unscramble FILE N\n"
             "Rows are CSV in field order; dump writes a first column \"*\" for deleted records,\n"
             "and append accepts that column too.\n";
    return 2;
}

int parseByte(const QString& s)
{
    bool ok = false;
    const int v = s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? s.mid(2).toInt(&ok, 16) : s.toInt(&ok);
    if (!ok || v < 0 || v > 255)
        throw xbase::Error(QStringLiteral("\"%1\" is not a byte value (0-255)").arg(s));
    return v;
}

xbase::RecordCallback shift(int by)
{
    return [by](char* p, qsizetype n) {
        for (qsizetype i = 0; i < n; ++i)
            p[i] = char(static_cast<unsigned char>(p[i]) + by);
    };
}

QString valueText(const xbase::Cursor& c, int field)
{
    const xbase::FieldDef& f = c.fieldDef(field);
    switch (f.type) {
    case 'C': {
        QString t = c.text(field);
        while (t.endsWith(QLatin1Char(' ')))
            t.chop(1);
        return t;
    }
    case 'D': return c.rawText(field).trimmed();
    case 'L': return c.isBlank(field) ? QString() : c.text(field);
    case 'M': return c.text(field);
    default: return c.trimmed(field);
    }
}

int info(const QString& path)
{
    xbase::Table t;
    t.open(path, {.readOnly = true});
    out() << "file:          " << path << "\n"
          << "version:       0x" << QString::number(t.version(), 16).rightJustified(2, QLatin1Char('0')) << "\n"
          << "code page:     " << t.codePage().number() << "\n"
          << "last update:   " << t.lastUpdate().toString(Qt::ISODate) << "\n"
          << "header length: " << t.headerLength() << "\n"
          << "record length: " << t.recordLength() << "\n"
          << "records:       " << t.recordCount() << "\n"
          << "memo:          " << (t.hasMemo() ? "yes" : "no") << "\n"
          << "fields:\n";
    int n = 1;
    for (const xbase::FieldDef& f : t.fields()) {
        out() << QString("  %1 %2 %3 %4").arg(n++, 3).arg(f.name, -10).arg(QLatin1Char(f.type)).arg(f.width);
        if (f.decimals)
            out() << "." << f.decimals;
        out() << "\n";
    }
    return 0;
}

int dump(const QString& path, const QStringList& args)
{
    QString tag;
    bool descending = false, deleted = false, header = false;
    int unscramble = -1;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--tag") && i + 1 < args.size())
            tag = args[++i];
        else if (a == QLatin1String("--descending"))
            descending = true;
        else if (a == QLatin1String("--deleted"))
            deleted = true;
        else if (a == QLatin1String("--header"))
            header = true;
        else if (a == QLatin1String("--unscramble") && i + 1 < args.size())
            unscramble = parseByte(args[++i]);
        else
            return usage();
    }
    xbase::Table t;
    if (!tag.isEmpty())
        t.setTags({{QStringLiteral("DUMP"), tag, descending}});
    t.open(path, {.readOnly = true, .currentTag = tag.isEmpty() ? QString() : QStringLiteral("DUMP")});
    if (unscramble >= 0)
        t.setReadCallback(shift(-unscramble));
    t.setShowDeleted(deleted);
    if (header) {
        QStringList names{QStringLiteral("deleted")};
        for (const xbase::FieldDef& f : t.fields())
            names << f.name;
        out() << csv::line(names) << "\n";
    }
    for (t.first(); !t.eof(); t.next()) {
        QStringList row{t.isDeleted() ? QStringLiteral("*") : QString()};
        for (int f = 1; f <= t.fieldCount(); ++f)
            row << valueText(t, f);
        out() << csv::line(row) << "\n";
    }
    return 0;
}

int create(const QString& path, const QStringList& args)
{
    if (args.size() != 2 || args[0] != QLatin1String("--fields"))
        return usage();
    xbase::FieldList fields;
    static const QRegularExpression re(QStringLiteral("^\\s*(\\w+)\\s+([CNDLMcndlm])\\s*(\\d+)?(?:\\.(\\d+))?\\s*$"));
    for (const QString& part : args[1].split(QLatin1Char(','))) {
        const auto m = re.match(part);
        if (!m.hasMatch())
            throw xbase::Error(QStringLiteral("cannot read the field \"%1\" (write: name TYPE width[.decimals])").arg(part.trimmed()));
        const char type = char(m.captured(2).toUpper().at(0).toLatin1());
        int width = m.captured(3).toInt();
        if ((type == 'C' || type == 'N') && width == 0)
            throw xbase::Error(QStringLiteral("field %1 needs a width").arg(m.captured(1)));
        fields << xbase::FieldDef{m.captured(1), type, width, m.captured(4).toInt()};
    }
    xbase::Table::create(path, fields);
    return 0;
}

int append(const QString& path, const QStringList& args)
{
    int scramble = -1;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--scramble") && i + 1 < args.size())
            scramble = parseByte(args[++i]);
        else
            return usage();
    }
    xbase::Table t;
    t.open(path);
    if (scramble >= 0)
        t.setWriteCallback(shift(scramble));
    QTextStream in(stdin);
    QStringList row;
    int line = 0;
    while (csv::read(in, row)) {
        ++line;
        if (row.size() == 1 && row[0].isEmpty())
            continue;
        bool deleted = false;
        if (row.size() == t.fieldCount() + 1) {
            deleted = row.takeFirst().trimmed() == QLatin1String("*");
        }
        if (row.size() > t.fieldCount())
            throw xbase::Error(QStringLiteral("row %1 has %2 values, the table %3 fields").arg(line).arg(row.size()).arg(t.fieldCount()));
        t.append();
        for (int f = 0; f < row.size(); ++f) {
            if (t.fieldDef(f + 1).type == 'D')
                t.setRawText(f + 1, row[f].trimmed());
            else
                t.setText(f + 1, row[f]);
        }
        if (deleted)
            t.setDeleted(true);
        t.post();
    }
    return 0;
}

int rewrite(const QString& path, int by)
{
    xbase::Table t;
    t.open(path);
    t.setWriteCallback(shift(by));
    t.rewriteAll();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return usage();
    const QString command = args.takeFirst();
    const QString path = args.takeFirst();
    try {
        if (command == QLatin1String("info") && args.isEmpty())
            return info(path);
        if (command == QLatin1String("reclen") && args.isEmpty()) {
            out() << xbase::Table::readRecordLength(path) << "\n";
            return 0;
        }
        if (command == QLatin1String("dump"))
            return dump(path, args);
        if (command == QLatin1String("create"))
            return create(path, args);
        if (command == QLatin1String("append"))
            return append(path, args);
        if ((command == QLatin1String("scramble") || command == QLatin1String("unscramble")) && args.size() == 1) {
            const int by = parseByte(args[0]);
            return rewrite(path, command == QLatin1String("scramble") ? by : -by);
        }
        return usage();
    } catch (const xbase::Error& e) {
        out().flush();
        err() << "velmora-dbf: " << e.message() << "\n";
        return 1;
    }
}
