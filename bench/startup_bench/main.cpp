// startup_bench: the data module's start-up (DmodCreate) on AGX tables of 50,000
// members and 150,000 dogs, against the table layer opening the same files with
// the same tags and callbacks by hand. Targets: under 0.4 s, and within 1.5 times
// the bare opens.
//
//   startup_bench [--members N] [--dogs N] [--runs N]

#include "data/demodata.h"
#include "data/dmod.h"
#include "data/scramble.h"
#include "data/tables.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <ctime>
#include <functional>
#include <memory>
#include <cstdio>
#include <vector>

namespace {

int intArg(const QStringList& args, const QString& name, int fallback)
{
    const qsizetype at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args.at(at + 1).toInt() : fallback;
}

// The same six opens the start-up does, straight on the table layer.
void bareOpens(const ProgramFolders& folders)
{
    using data::TableId;
    struct Open
    {
        TableId id;
        QString folder;
    };
    const Open opens[] = {{TableId::Members, folders.agxdata()},   {TableId::DogMaster, folders.agxdata()},
                          {TableId::ShowDates, folders.userdata()}, {TableId::Judges, folders.agxdata()},
                          {TableId::Show, folders.pgmdata()},       {TableId::MyMembers, folders.userdata()}};
    std::vector<std::unique_ptr<xbase::Table>> tables;
    for (const Open& o : opens) {
        const data::TableDef& def = data::tableDef(o.id);
        auto table = std::make_unique<xbase::Table>();
        table->open(o.folder + def.file);
        if (def.scrambling != data::Scrambling::None)
            table->setReadCallback(data::UnscrambleRecord);
        table->setTags(def.tags);
        table->setCurrentTag(def.currentTag);
        table->first();
        tables.push_back(std::move(table));
    }
}

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

struct Timing
{
    double wall = 1e9;
    double cpu = 1e9;   // on a busy machine the honest figure
};

Timing bestOf(int runs, const std::function<void()>& work)
{
    Timing best;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double cpu = cpuSeconds();
        work();
        best.cpu = std::min(best.cpu, cpuSeconds() - cpu);
        best.wall = std::min(best.wall, timer.nsecsElapsed() / 1e9);
    }
    return best;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    data::DemoSizes sizes;
    sizes.members = intArg(args, QStringLiteral("--members"), 50000);
    sizes.dogs = intArg(args, QStringLiteral("--dogs"), 150000);
    const int runs = std::max(1, intArg(args, QStringLiteral("--runs"), 5));

    QTemporaryDir dir;
    QElapsedTimer timer;
    timer.start();
    data::seedProgramFolder(dir.path(), sizes);
    const ProgramFolders folders(dir.path());
    {
        // The first start makes the userdata tables; time the starts after it.
        TDmod first(folders);
        first.DmodCreate();
    }
    std::printf("generated %d members, %d dogs in %.2f s\n", sizes.members, sizes.dogs, timer.nsecsElapsed() / 1e9);

    QString maxId;
    const Timing dmod = bestOf(runs, [&] {
        TDmod module(folders);
        module.DmodCreate();
        maxId = module.MaxMemberID;
    });
    const Timing bare = bestOf(runs, [&] { bareOpens(folders); });

    std::printf("best of %d runs                wall       cpu\n", runs);
    std::printf("DmodCreate                    %.3f s    %.3f s   target < 0.400 s: %s\n", dmod.wall, dmod.cpu,
                dmod.wall < 0.4 ? "ok" : "MISSED");
    std::printf("table layer's own opens       %.3f s    %.3f s\n", bare.wall, bare.cpu);
    const double ratio = dmod.wall / bare.wall;
    std::printf("ratio                         %.2f       %.2f     target <= 1.50: %s\n", ratio, dmod.cpu / bare.cpu,
                ratio <= 1.5 ? "ok" : "MISSED");
    std::printf("MaxMemberID:                  %s\n", qPrintable(maxId));
    return 0;
}
