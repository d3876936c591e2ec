// Files exchanged with independent dBASE readers and writers (Debian's python3-dbfread and
// python3-dbf): what they write opens here, what we write opens there.

#include "xbasetest.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

using namespace xbase;
using namespace xbasetest;

namespace {

// Debian's own interpreter: the first python3 on PATH may lack Debian's modules.
const char* const kPython = "/usr/bin/python3";

bool havePythonModules()
{
    QProcess p;
    p.start(kPython, {"-c", "import dbf, dbfread"});
    return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QByteArray runPython(const QString& script, const QStringList& args)
{
    QProcess p;
    p.start(kPython, QStringList{"-c", script} + args);
    p.waitForFinished(60000);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput();
}

#define REQUIRE_PYTHON()                                                                                       \
    if (!havePythonModules())                                                                                  \
    GTEST_SKIP() << "/usr/bin/python3 lacks the dbf and dbfread modules (Debian packages python3-dbf and "  \
                    "python3-dbfread; scripts/install-deps.sh installs them)"

} // namespace

TEST(Interop, FilesWrittenByPythonDbfReadHere)
{
    REQUIRE_PYTHON();
    TempFolder dir;
    const QString path = dir.file("fromdbf.dbf");
    runPython(R"(
import sys, dbf
t = dbf.Table(sys.argv[1], 'name C(10); n N(5,2); d D; ok L; m M', dbf_type='db3', codepage='cp437')
t.open(dbf.READ_WRITE)
t.append(('Müller', 1.5, dbf.Date(2004, 6, 5), True, 'memo é text\r\nline 2'))
t.append(('Zoë', -2.25, None, False, ''))
t.append(('gone', 0, dbf.Date(2020, 1, 2), None, 'x' * 600))
dbf.delete(t[2])
t.close()
)",
              {path});
    Table t;
    t.open(path);
    EXPECT_EQ(t.version(), 0x83);
    EXPECT_EQ(t.recordCount(), 3u);
    t.go(1);
    EXPECT_EQ(t.text("name"), QString::fromUtf8("Müller    "));
    EXPECT_EQ(t.text("n"), QString(" 1.50"));
    EXPECT_EQ(t.toDate("d"), QDate(2004, 6, 5));
    EXPECT_TRUE(t.toBool("ok"));
    EXPECT_EQ(t.text("m"), QString::fromUtf8("memo é text\r\nline 2"));
    EXPECT_FALSE(t.isDeleted());
    t.go(2);
    EXPECT_EQ(t.trimmed("name"), QString::fromUtf8("Zoë"));
    EXPECT_DOUBLE_EQ(t.toDouble("n"), -2.25);
    EXPECT_FALSE(t.toDate("d").isValid());
    EXPECT_FALSE(t.toBool("ok"));
    EXPECT_EQ(t.text("m"), QString());
    t.go(3);
    EXPECT_TRUE(t.isDeleted());
    EXPECT_EQ(t.text("m"), QString(600, 'x'));

    // Editing it here leaves a file the writer still reads.
    t.go(2);
    t.setText("m", "added here");
    t.post();
    t.close();
    const QByteArray out = runPython(R"(
import sys, dbf
t = dbf.Table(sys.argv[1], codepage='cp437')
t.open(dbf.READ_ONLY)
print(t[1].m.strip())
)",
                                     {path});
    EXPECT_EQ(out.trimmed(), QByteArray("added here"));
}

TEST(Interop, FilesWrittenHereReadByBothPythonReaders)
{
    REQUIRE_PYTHON();
    TempFolder dir;
    const QString path = dir.file("ours.dbf");
    Table::create(path, {{"name", 'C', 12, 0}, {"n", 'N', 9, 4}, {"d", 'D', 8, 0}, {"ok", 'L', 1, 0},
                         {"memo1", 'M', 10, 0}, {"count", 'N', 5, 0}});
    {
        Table t;
        t.open(path);
        t.append();
        t.setText("name", QString::fromUtf8("Müller Zoë"));
        t.setDouble("n", 87.5);
        t.setDate("d", QDate(2004, 6, 5));
        t.setBool("ok", true);
        t.setText("memo1", QString::fromUtf8("Report é\r\n") + QString(700, 'y'));
        t.setInt("count", -42);
        t.post();
        t.append();
        t.setText("name", "deleted one");
        t.post();
        t.setDeleted(true);
        t.append();
        t.setText("name", "blank rest");
        t.post();
    }
    const QByteArray json = runPython(R"(
import sys, json, dbfread
t = dbfread.DBF(sys.argv[1], encoding='cp437', load=True)
def row(r):
    return {k: (v.isoformat() if hasattr(v, 'isoformat') else v) for k, v in r.items()}
print(json.dumps({'records': [row(r) for r in t.records], 'deleted': [row(r) for r in t.deleted]}))
)",
                                      {path});
    const QJsonObject doc = QJsonDocument::fromJson(json).object();
    const QJsonArray records = doc["records"].toArray();
    ASSERT_EQ(records.size(), 2);
    const QJsonObject first = records[0].toObject();
    EXPECT_EQ(first["NAME"].toString(), QString::fromUtf8("Müller Zoë"));
    EXPECT_DOUBLE_EQ(first["N"].toDouble(), 87.5);
    EXPECT_EQ(first["D"].toString(), QString("2004-06-05"));
    EXPECT_EQ(first["OK"].toBool(), true);
    EXPECT_EQ(first["MEMO1"].toString(), QString::fromUtf8("Report é\r\n") + QString(700, 'y'));
    EXPECT_EQ(first["COUNT"].toInt(), -42);
    const QJsonObject third = records[1].toObject();
    EXPECT_EQ(third["NAME"].toString(), QString("blank rest"));
    EXPECT_TRUE(third["D"].isNull());
    EXPECT_TRUE(third["N"].isNull());
    const QJsonArray deleted = doc["deleted"].toArray();
    ASSERT_EQ(deleted.size(), 1);
    EXPECT_EQ(deleted[0].toObject()["NAME"].toString(), QString("deleted one"));

    const QByteArray viaDbf = runPython(R"(
import sys, dbf
t = dbf.Table(sys.argv[1], codepage='cp437')
t.open(dbf.READ_ONLY)
r = t[0]
print(len(t), r.name.strip(), r.n, r.d, r.ok, r.count, dbf.is_deleted(t[1]), len(r.memo1))
)",
                                        {path});
    EXPECT_EQ(QString::fromUtf8(viaDbf.trimmed()), QString::fromUtf8("3 Müller Zoë 87.5 2004-06-05 True -42 True 710"));
}
