// Feeds arbitrary bytes to the table reader (as a .dbf, optionally with a .dbt after the
// separator "@@DBT@") and, for inputs starting with "E:", to the expression compiler.
// Anything but xbase::Error escaping, or a sanitizer report, is a finding.

#include "platform/xbase/table.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cstdint>
#include <unistd.h>

namespace {

void writeFile(const QString& path, QByteArrayView bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes.data(), bytes.size());
}

void exerciseExpression(const QByteArray& text)
{
    const xbase::FieldList fields = {{"name", 'C', 10, 0}, {"n", 'N', 5, 2}, {"d", 'D', 8, 0}, {"ok", 'L', 1, 0}};
    const xbase::Expression e = xbase::Expression::compile(QString::fromLatin1(text), fields);
    (void)e.width();
    switch (e.type()) {
    case xbase::Expression::Type::Numeric: (void)e.evaluateNumber(); break;
    case xbase::Expression::Type::Logical: (void)e.evaluateLogical(); break;
    default: (void)e.evaluateText(); break;
    }
}

void exerciseTable(const QString& path)
{
    xbase::Table t;
    t.open(path);
    t.setTags({{"R", "str(recno(),7)", true}});
    const xbase::FieldDef first = t.fieldDef(1);
    if (first.type == 'C')
        t.addTag({"F", "upper(" + first.name + ")", false});
    t.setCurrentTag("F");
    for (t.first(); !t.eof(); t.next()) {
        for (int f = 1; f <= t.fieldCount(); ++f) {
            try {
                (void)t.text(f);
                (void)t.toDouble(f);
                (void)t.toDate(f);
            } catch (const xbase::Error&) {
                // a broken memo pointer: reported, fine
            }
        }
        (void)t.isDeleted();
    }
    (void)t.seek("A", xbase::SeekMode::Soft);
    if (t.recordCount() > 0) {
        t.go(1);
        t.setText(1, "fuzz");
        t.post();
        t.setDeleted(true);
        t.pack();
    }
    t.append();
    t.post();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        if (input.startsWith("E:")) {
            exerciseExpression(input.mid(2));
            return 0;
        }
        static const QString dir = QDir::temp().filePath(QStringLiteral("xbase_fuzz_%1").arg(::getpid()));
        QDir().mkpath(dir);
        const QString path = dir + QStringLiteral("/t.dbf");
        const qsizetype sep = input.indexOf("@@DBT@");
        writeFile(path, sep < 0 ? QByteArrayView(input) : QByteArrayView(input).first(sep));
        if (sep >= 0)
            writeFile(dir + QStringLiteral("/t.dbt"), QByteArrayView(input).sliced(sep + 6));
        else
            QFile::remove(dir + QStringLiteral("/t.dbt"));
        exerciseTable(path);
    } catch (const xbase::Error&) {
    }
    return 0;
}
