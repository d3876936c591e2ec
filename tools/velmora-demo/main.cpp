// velmora-demo: seeds a program folder so the program can start on it at once.
//
//   velmora-demo FOLDER [--members N] [--dogs N] [--judges N] [--clubs N]
//
// Writes pgmdata/ (entries templates, work tables) and agxdata/ (a made-up AGX
// set; the member and dog files scrambled like AGX's own). Files already there are
// left alone, so running it again changes nothing.

#include "data/demodata.h"
#include "platform/system/errors.h"
#include "platform/xbase/error.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

namespace {

int sizeOption(const QCommandLineParser& parser, const QString& name, int fallback, bool& ok)
{
    if (!parser.isSet(name))
        return fallback;
    bool isNumber = false;
    const int value = parser.value(name).toInt(&isNumber);
    if (!isNumber || value < 0) {
        ok = false;
        return fallback;
    }
    return value;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmora-demo"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Lays out a ready program folder with demo AGX tables."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("The program folder."));
    const data::DemoSizes defaults;
    parser.addOption({QStringLiteral("members"), QStringLiteral("Number of members."), QStringLiteral("n")});
    parser.addOption({QStringLiteral("dogs"), QStringLiteral("Number of dogs."), QStringLiteral("n")});
    parser.addOption({QStringLiteral("judges"), QStringLiteral("Number of judges."), QStringLiteral("n")});
    parser.addOption({QStringLiteral("clubs"), QStringLiteral("Number of host clubs."), QStringLiteral("n")});
    parser.process(app);

    QTextStream err(stderr);
    QTextStream out(stdout);
    const QStringList args = parser.positionalArguments();
    if (args.size() != 1) {
        err << parser.helpText();
        return 2;
    }
    bool ok = true;
    data::DemoSizes sizes;
    sizes.members = sizeOption(parser, QStringLiteral("members"), defaults.members, ok);
    sizes.dogs = sizeOption(parser, QStringLiteral("dogs"), defaults.dogs, ok);
    sizes.judges = sizeOption(parser, QStringLiteral("judges"), defaults.judges, ok);
    sizes.clubs = sizeOption(parser, QStringLiteral("clubs"), defaults.clubs, ok);
    if (!ok || sizes.members > 98000) {
        err << "velmora-demo: sizes must be whole numbers, at most 98000 members\n";
        return 2;
    }

    try {
        const data::SeedReport report = data::seedProgramFolder(args.first(), sizes);
        for (const QString& path : report.written)
            out << "written " << path << '\n';
        for (const QString& path : report.kept)
            out << "kept    " << path << '\n';
    } catch (const xbase::Error& e) {
        err << "velmora-demo: " << e.message() << '\n';
        return 1;
    } catch (const AppError& e) {
        err << "velmora-demo: " << e.message() << '\n';
        return 1;
    }
    return 0;
}
