// Real processes killed at random moments while appending, editing and packing: the file must
// always open, and every post that returned must be there.

#include "xbasetest.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>

#include <cstdio>

using namespace xbase;
using namespace xbasetest;

namespace {

const char* const kChildVariable = "VELMORA_XBASE_DURABILITY_CHILD";

const FieldList kFields = {{"id", 'N', 8, 0}, {"text", 'C', 20, 0}, {"memo", 'M', 10, 0}};

QString textFor(int id)
{
    return QString("record %1").arg(id);
}

int progressLines(const QByteArray& out)
{
    int n = 0;
    for (const QByteArray& l : out.split('\n'))
        if (l.startsWith("posted ") || l.startsWith("edited "))
            ++n;
    return n;
}

// Runs the named work in a child copy of this test program; kills it at a random moment
// after it has reported some progress; returns what it printed.
QStringList runAndKill(const QString& mode, const QString& path, int minLines)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kChildVariable, mode + "|" + path);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::SeparateChannels);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=DurabilityChild.Work"});
    EXPECT_TRUE(child.waitForStarted(10000));
    QByteArray out;
    while (progressLines(out) < minLines && child.state() == QProcess::Running) {
        child.waitForReadyRead(5000);
        out += child.readAllStandardOutput();
    }
    QThread::msleep(QRandomGenerator::global()->bounded(1, 60));
    child.kill();
    child.waitForFinished(10000);
    out += child.readAllStandardOutput();
    QStringList lines = QString::fromLatin1(out).split('\n', Qt::SkipEmptyParts);
    if (!out.endsWith('\n') && !lines.isEmpty())
        lines.removeLast();   // cut off mid-line by the kill
    return lines;
}

} // namespace

// The child's side: endless work, one line on stdout after each step has returned.
TEST(DurabilityChild, Work)
{
    const QString job = qEnvironmentVariable(kChildVariable);
    if (job.isEmpty())
        GTEST_SKIP() << "runs only as the child of the durability tests";
    const QString mode = job.section('|', 0, 0);
    const QString path = job.section('|', 1);
    Table t;
    t.open(path);
    auto say = [](const QString& s) {
        std::fputs((s + "\n").toLatin1().constData(), stdout);
        std::fflush(stdout);
    };
    int next = 1;
    for (t.first(); !t.eof(); t.next())
        next = std::max<int>(next, int(t.toInt("id")) + 1);
    for (int step = 0;; ++step) {
        if (mode == "edit" && t.recordCount() > 0) {
            const quint32 rec = 1 + quint32(step) % t.recordCount();
            t.go(rec);
            t.setText("text", QString("edit %1").arg(step));
            t.post();
            say(QString("edited %1 %2").arg(rec).arg(step));
            continue;
        }
        t.append();
        t.setInt("id", next);
        t.setText("text", textFor(next));
        if (next % 5 == 0)
            t.setText("memo", textFor(next).repeated(40));
        t.post();
        say(QString("posted %1").arg(next));
        if (mode == "pack" && next % 3 == 0) {
            t.setDeleted(true);   // every third record goes at the next pack
            say(QString("deleted %1").arg(next));
        }
        if (mode == "pack" && next % 10 == 0) {
            t.pack();
            say("packed");
        }
        ++next;
    }
}

TEST(Durability, AppendsSurviveKillsAtAnyMoment)
{
    TempFolder dir;
    const QString path = dir.file("append.dbf");
    Table::create(path, kFields);
    int lastPosted = 0;
    for (int round = 0; round < 4; ++round) {
        const QStringList lines = runAndKill("append", path, 3);
        for (const QString& l : lines)
            if (l.startsWith("posted "))
                lastPosted = l.mid(7).toInt();
        Table t;
        ASSERT_NO_THROW(t.open(path)) << "round " << round;
        ASSERT_GE(int(t.recordCount()), lastPosted);
        quint32 r = 0;
        for (t.first(); !t.eof(); t.next()) {
            ++r;
            ASSERT_EQ(t.toInt("id"), qint64(r));
            ASSERT_EQ(t.trimmed("text"), textFor(int(r)));
            if (r % 5 == 0)
                ASSERT_EQ(t.text("memo"), textFor(int(r)).repeated(40));
        }
        lastPosted = int(t.recordCount());
    }
    EXPECT_GE(lastPosted, 12);
}

TEST(Durability, EditsSurviveKillsAtAnyMoment)
{
    TempFolder dir;
    const QString path = dir.file("edit.dbf");
    Table::create(path, kFields);
    {
        Table t;
        t.open(path, {.flushAfterPost = false});
        for (int i = 1; i <= 20; ++i) {
            t.append();
            t.setInt("id", i);
            t.setText("text", textFor(i));
            t.post();
        }
    }
    for (int round = 0; round < 3; ++round) {
        const QStringList lines = runAndKill("edit", path, 3);
        QMap<quint32, QString> expected;
        for (const QString& l : lines) {
            const QStringList parts = l.split(' ');
            if (parts.size() == 3 && parts[0] == "edited")
                expected[parts[1].toUInt()] = "edit " + parts[2];
        }
        Table t;
        ASSERT_NO_THROW(t.open(path));
        ASSERT_EQ(t.recordCount(), 20u);
        for (auto it = expected.begin(); it != expected.end(); ++it) {
            t.go(it.key());
            const QString now = t.trimmed("text");
            // A later edit of the same record may have landed after the last line was printed.
            ASSERT_TRUE(now == it.value() || now.startsWith("edit ")) << now;
            ASSERT_GE(now.mid(5).toInt(), it.value().mid(5).toInt());
        }
    }
}

TEST(Durability, PackNeverLosesKeptRecords)
{
    TempFolder dir;
    const QString path = dir.file("pack.dbf");
    Table::create(path, kFields);
    QSet<int> posted;
    for (int round = 0; round < 4; ++round) {
        const QStringList lines = runAndKill("pack", path, 12 + round * 3);
        for (const QString& l : lines)
            if (l.startsWith("posted "))
                posted << l.mid(7).toInt();
        Table t;
        ASSERT_NO_THROW(t.open(path)) << "round " << round;
        QList<int> ids;
        for (t.first(); !t.eof(); t.next())
            ids << int(t.toInt("id"));
        for (int id : posted)
            if (id % 3 != 0)
                ASSERT_TRUE(ids.contains(id)) << "lost record " << id;
        for (int i = 1; i < ids.size(); ++i)
            ASSERT_LT(ids[i - 1], ids[i]);
        for (t.first(); !t.eof(); t.next())
            if (t.toInt("id") % 5 == 0)
                ASSERT_EQ(t.text("memo"), textFor(int(t.toInt("id"))).repeated(40));
    }
}
