// Builds a dog table of 150,000 records and a member table of 50,000 (the shapes of the AGX
// files) and times reading them raw, scanning them through the table layer, opening them with
// their tags, random seeks, and the same scan by python3-dbfread.
//
// Figures are medians of three runs; all runs find the files in the page cache. dbfread reads
// the files as it scans, so it is compared with our open (which reads them) plus our scan; both
// decode every field of every record. Processor times are printed too, for busy machines.

#include "platform/xbase/table.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <malloc.h>

using namespace xbase;

namespace {

const int kDogs = 150000;
const int kMembers = 50000;

const FieldList kDogFields = {
    {"member_id", 'C', 5, 0}, {"dog_id", 'C', 2, 0},  {"call_name", 'C', 15, 0}, {"breed", 'C', 40, 0},
    {"birthdate", 'D', 8, 0}, {"height", 'N', 5, 2},  {"perm_card", 'C', 9, 0},  {"legal_age", 'D', 8, 0},
    {"check_ht", 'C', 3, 0},  {"chk_ht_dat", 'D', 8, 0}, {"owner", 'C', 45, 0},
};
const TagList kDogTags = {{"IDKEY", "member_id + dog_id", false}, {"CALLNAME", "upper(call_name)", false}};

const FieldList kMemberFields = {
    {"member_id", 'C', 5, 0}, {"prim_first", 'C', 25, 0}, {"prim_last", 'C', 25, 0}, {"address", 'C', 40, 0},
    {"city", 'C', 30, 0},     {"state", 'C', 20, 0},      {"zip", 'C', 10, 0},       {"country", 'C', 6, 0},
    {"phone", 'C', 14, 0},    {"email", 'C', 50, 0},      {"prt_label", 'L', 1, 0},
};
const TagList kMemberTags = {
    {"NAME", "upper(prim_last - prim_first)", false},
    {"MEMID", "member_id", false},
    {"FIRST", "upper(prim_first - prim_last)", false},
    {"CITY", "upper(city)+upper(prim_last+prim_first)", false},
    {"STATE", "upper(State+city)+upper(prim_last+prim_first)", false},
    {"ZIP", "upper(zip)+upper(prim_last+prim_first)", false},
};

const char* const kFirst[] = {"Ann", "Bob", "Carla", "Dieter", "Élise", "Frank", "Greta", "Hank", "Ines", "José"};
const char* const kLast[] = {"Smith", "Müller", "Nguyen", "O'Brien", "Garcia", "Kowalski", "Lee", "Brown", "Dubois", "Ito"};
const char* const kBreeds[] = {"Border Collie", "Shetland Sheepdog", "Jack Russell Terrier", "Papillon", "Mixed Breed"};
const char* const kCities[] = {"Springfield", "Riverside", "Fairview", "Madison", "Georgetown", "Salem"};
const char* const kStates[] = {"TX", "CA", "MN", "NY", "OR", "WA", "ON", "BC"};

const unsigned char kScramble = 0x2F;

RecordCallback shift(int by)
{
    return [by](char* p, qsizetype n) {
        for (qsizetype i = 0; i < n; ++i)
            p[i] = char(static_cast<unsigned char>(p[i]) + by);
    };
}

double ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// Processor time of this process: on a busy machine it says what the wall clock cannot.
double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

long rssKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    f.open(QIODevice::ReadOnly);
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmRSS:"))
            return l.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

void generate(const QString& dogs, const QString& members, bool scrambled)
{
    auto* rng = QRandomGenerator::global();
    Table::create(dogs, kDogFields);
    {
        Table t;
        if (scrambled)
            t.setWriteCallback(shift(kScramble));
        t.open(dogs, {.flushAfterPost = false});
        t.disableControls();
        for (int i = 0; i < kDogs; ++i) {
            t.append();
            t.setText(1, QString::number(rng->bounded(kMembers) + 1).rightJustified(5, QLatin1Char('0')));
            t.setText(2, QString::number(i % 7 + 1).rightJustified(2, QLatin1Char('0')));
            t.setText(3, QStringLiteral("Dog%1").arg(rng->bounded(20000)));
            t.setText(4, QString::fromUtf8(kBreeds[i % 5]));
            t.setDate(5, QDate(2000, 1, 1).addDays(rng->bounded(7000)));
            t.setDouble(6, 8 + rng->bounded(1600) / 100.0);
            t.setText(7, i % 3 ? QString() : QString::number(i));
            t.setDate(8, QDate(2001, 6, 1).addDays(rng->bounded(7000)));
            t.setText(9, i % 11 ? QStringLiteral("NO") : QStringLiteral("YES"));
            t.setRawText(10, i % 4 ? QStringLiteral("20050000") : QString());
            t.setText(11, QString::fromUtf8(kFirst[i % 10]) + QLatin1Char(' ') + QString::fromUtf8(kLast[(i / 10) % 10]));
            t.post();
        }
    }
    Table::create(members, kMemberFields);
    Table t;
    if (scrambled)
        t.setWriteCallback(shift(kScramble));
    t.open(members, {.flushAfterPost = false});
    for (int i = 0; i < kMembers; ++i) {
        t.append();
        t.setText(1, QString::number(i + 1).rightJustified(5, QLatin1Char('0')));
        t.setText(2, QString::fromUtf8(kFirst[rng->bounded(10)]));
        t.setText(3, QString::fromUtf8(kLast[rng->bounded(10)]) + QString::number(rng->bounded(500)));
        t.setText(4, QStringLiteral("%1 Main Street").arg(i));
        t.setText(5, QString::fromUtf8(kCities[rng->bounded(6)]));
        t.setText(6, QString::fromUtf8(kStates[rng->bounded(8)]));
        t.setText(7, QString::number(10000 + rng->bounded(89999)));
        t.setText(8, QStringLiteral("USA"));
        t.setText(9, QStringLiteral("555-0100"));
        t.setText(10, QStringLiteral("member%1@example.org").arg(i));
        t.setBool(11, i % 9 == 0);
        t.post();
    }
}

// Reads every field of every record as the value dbfread would produce.
qint64 scan(Table& t)
{
    qint64 sum = 0;
    const FieldList fields = t.fields();
    for (t.first(); !t.eof(); t.next()) {
        for (int f = 0; f < fields.size(); ++f) {
            switch (fields[f].type) {
            case 'N': sum += qint64(t.toDouble(f + 1)); break;
            case 'D': sum += t.toDate(f + 1).isValid(); break;
            case 'L': sum += t.toBool(f + 1); break;
            default: sum += t.text(f + 1).size(); break;
            }
        }
    }
    return sum;
}

// The median of three or more timings, in milliseconds.
double median(QList<double> runs)
{
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

const int kRuns = 3;

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir tmp;
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : tmp.path();
    const QString dogs = QDir(dir).filePath(QStringLiteral("sdogmast.dbf"));
    const QString members = QDir(dir).filePath(QStringLiteral("smembers.dbf"));
    const QString sdogs = QDir(dir).filePath(QStringLiteral("sxdogmast2.dbf"));
    const QString smembers = QDir(dir).filePath(QStringLiteral("sxMembers.dbf"));

    QElapsedTimer timer;
    timer.start();
    generate(dogs, members, false);
    generate(sdogs, smembers, true);
    std::printf("generated 2 x (%d dogs, %d members) in %.0f ms; every figure is the median of %d runs\n", kDogs,
                kMembers, ms(timer), kRuns);
    const qint64 bytes = QFileInfo(dogs).size() + QFileInfo(members).size();
    std::printf("file sizes: dogs %.1f MB, members %.1f MB\n", QFileInfo(dogs).size() / 1e6, QFileInfo(members).size() / 1e6);

    // 1. Raw read: the physical floor.
    QList<double> runs;
    qint64 rawBytes = 0;
    for (int run = 0; run < kRuns; ++run) {
        timer.restart();
        rawBytes = 0;
        for (const QString& p : {dogs, members}) {
            QFile f(p);
            f.open(QIODevice::ReadOnly);
            rawBytes += f.readAll().size();
        }
        runs << ms(timer);
    }
    const double raw = median(runs);
    std::printf("raw read of both files:                %8.1f ms (%lld bytes)\n", raw, static_cast<long long>(rawBytes));

    // 2. Full scan through the layer, every field decoded; and the same from the files, that is
    // with the opening (reading the files) included, which is what dbfread's figure holds.
    QList<double> fromFiles, fromFilesCpu;
    runs.clear();
    qint64 sum = 0;
    for (int run = 0; run < kRuns; ++run) {
        timer.restart();
        const double cpu = cpuMs();
        Table d, m;
        d.open(dogs, {.readOnly = true});
        m.open(members, {.readOnly = true});
        const double opened = ms(timer);
        sum = scan(d) + scan(m);
        fromFiles << ms(timer);
        fromFilesCpu << cpuMs() - cpu;
        runs << ms(timer) - opened;
    }
    const double scanMs = median(runs);
    const double fileScanMs = median(fromFiles);
    const double fileScanCpu = median(fromFilesCpu);
    std::printf("full scan through the layer:           %8.1f ms (check %lld)  = %.1f x raw read (target <= 5)\n",
                scanMs, static_cast<long long>(sum), scanMs / raw);
    std::printf("open without tags + full scan:         %8.1f ms (processor time %.1f ms)\n", fileScanMs, fileScanCpu);

    // 3. Open with all tags: plain files and the scrambled ones (read callback). Memory is
    // taken on the first run, before freed memory can be reused.
    for (const bool scrambled : {false, true}) {
        runs.clear();
        QList<double> cpuRuns;
        double memory = 0;
        for (int run = 0; run < kRuns; ++run) {
            malloc_trim(0);
            const long before = rssKb();
            timer.restart();
            const double cpu = cpuMs();
            Table d, m;
            d.setTags(kDogTags);
            m.setTags(kMemberTags);
            if (scrambled) {
                d.setReadCallback(shift(-kScramble));
                m.setReadCallback(shift(-kScramble));
                m.setWriteCallback(shift(kScramble));
            }
            d.open(scrambled ? sdogs : dogs, {.currentTag = QStringLiteral("IDKEY")});
            m.open(scrambled ? smembers : members, {.currentTag = QStringLiteral("NAME")});
            runs << ms(timer);
            cpuRuns << cpuMs() - cpu;
            if (run == 0)
                memory = double(rssKb() - before);

            if (!scrambled && run == 0) {
                // 4. Random seeks on both.
                auto* rng = QRandomGenerator::global();
                m.setCurrentTag(QStringLiteral("MEMID"));
                int found = 0;
                timer.restart();
                for (int i = 0; i < 10000; ++i) {
                    const QString id = QString::number(rng->bounded(kMembers) + 1).rightJustified(5, QLatin1Char('0'));
                    found += i % 2 ? d.seek(id, SeekMode::Partial) : m.seek(id);
                }
                std::printf("10,000 random seeks:                   %8.1f ms (%d found)\n", ms(timer), found);
            }
        }
        std::printf("open dogs (2 tags) + members (6 tags)%s: %6.1f ms (target < 300; processor time %.1f ms)  memory +%.1f MB = %.2f x file sizes (target <= 3)\n",
                    scrambled ? ", scrambled" : "          ", median(runs), median(cpuRuns), memory / 1024.0,
                    memory * 1024.0 / double(bytes));
    }

    // 5. The same scan by python3-dbfread: from the files, every field of every record decoded.
    QProcess py;
    py.start(QStringLiteral("/usr/bin/python3"),
             {QStringLiteral("-c"),
              QStringLiteral("import sys, time, dbfread\n"
                             "class P(dbfread.FieldParser):\n"
                             "    def parseD(self, field, data):\n"
                             "        try:\n"
                             "            return dbfread.FieldParser.parseD(self, field, data)\n"
                             "        except ValueError:\n"
                             "            return None  # the dog file's 20050000\n"
                             "runs = []; cpu = []\n"
                             "for run in range(%1):\n"
                             "    t = time.perf_counter(); c = time.process_time(); n = 0\n"
                             "    for p in sys.argv[1:]:\n"
                             "        for r in dbfread.DBF(p, encoding='cp437', parserclass=P):\n"
                             "            n += 1\n"
                             "    runs.append(time.perf_counter() - t); cpu.append(time.process_time() - c)\n"
                             "print(sorted(runs)[len(runs) // 2], n, sorted(cpu)[len(cpu) // 2])\n").arg(kRuns),
              dogs, members});
    if (py.waitForFinished(600000) && py.exitCode() == 0) {
        const QList<QByteArray> parts = py.readAllStandardOutput().trimmed().split(' ');
        const double pyMs = parts.value(0).toDouble() * 1000;
        const double pyCpu = parts.value(2).toDouble() * 1000;
        std::printf("python3-dbfread scan:                  %8.1f ms (%s records) = %.1f x the layer's open + scan (target >= 20);"
                    " %.1f x the scan alone\n",
                    pyMs, parts.value(1).constData(), pyMs / fileScanMs, pyMs / scanMs);
        std::printf("  in processor time:                   %8.1f ms = %.1f x the layer's open + scan\n", pyCpu,
                    pyCpu / fileScanCpu);
    } else {
        std::printf("python3-dbfread scan: not available (%s)\n", py.readAllStandardError().constData());
    }
    return 0;
}
