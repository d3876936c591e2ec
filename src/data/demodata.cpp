#include "data/demodata.h"

#include "data/demonames.h"
#include "data/scramble.h"
#include "data/tables.h"
#include "platform/system/pathresolver.h"
#include "platform/xbase/table.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <vector>

namespace data {
namespace {

// A small fixed generator (splitmix64), so the files are the same on every
// machine and with every standard library.
class Random
{
public:
    explicit Random(quint64 seed) : m_state(seed) {}

    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % quint64(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename List>
    QString pick(const List& list) { return QString::fromUtf8(list[size_t(below(int(list.size())))]); }

private:
    quint64 m_state;
};

using Fill = std::function<void(xbase::Table&)>;

// Writes a table at path (replacing any file there).
void writeTableAt(const QString& path, const xbase::FieldList& fields, bool scrambled, int count, const Fill& fill)
{
    xbase::Table::remove(path);
    xbase::Table::create(path, fields);
    xbase::Table table;
    xbase::OpenOptions options;
    options.flushAfterPost = false;
    table.open(path, options);
    if (scrambled) {
        table.setReadCallback(UnscrambleRecord);
        table.setWriteCallback(ScrambleRecord);
    }
    for (int i = 0; i < count; ++i) {
        table.append();
        fill(table);
        table.post();
    }
    table.flush();
    table.close();
}

// Files are written under a temporary name and renamed into place, so an
// interrupted run never leaves a half-written file that later runs would keep.
QString tempPath(const QString& path)
{
    const QFileInfo target(path);
    return target.dir().filePath(QStringLiteral("~") + target.fileName());
}

void moveIntoPlace(const QString& temp, const QString& path)
{
    if (!QFile::rename(temp, path)) {
        xbase::Table::remove(temp);
        throw xbase::Error(QStringLiteral("Cannot create ") + path);
    }
}

void writeTable(const QString& path, const xbase::FieldList& fields, bool scrambled, int count, const Fill& fill)
{
    const QString temp = tempPath(path);
    writeTableAt(temp, fields, scrambled, count, fill);
    moveIntoPlace(temp, path);
}

bool present(const QString& folder, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        if (pathExists(folder, QString::fromLatin1(name)))
            return true;
    }
    return false;
}

struct Member
{
    QString id, first, last;
};

QString phone(Random& rng)
{
    // 555-01xx numbers are reserved for fiction.
    return QStringLiteral("(%1) 555-01%2").arg(201 + rng.below(780)).arg(rng.below(100), 2, 10, QLatin1Char('0'));
}

QString email(Random& rng, const QString& first, const QString& last)
{
    static const char* const domains[] = {"example.com", "example.net", "example.org"};
    QString local = (first + QLatin1Char('.') + last).toLower();
    local.remove(QLatin1Char('\''));
    local.remove(QLatin1Char(' '));
    return local + QLatin1Char('@') + QLatin1String(domains[rng.below(3)]);
}

QString street(Random& rng)
{
    return QStringLiteral("%1 %2 %3").arg(100 + rng.below(9800)).arg(rng.pick(demo::kStreets), rng.pick(demo::kStreetTypes));
}

const demo::Place& place(Random& rng)
{
    return demo::kPlaces[size_t(rng.below(int(demo::kPlaces.size())))];
}

QString zip(Random& rng, const demo::Place& p)
{
    return QStringLiteral("%1").arg(p.zip + rng.below(20), 5, 10, QLatin1Char('0'));
}

// Writes the member file at path and returns the members for the dog file.
std::vector<Member> writeMembers(const QString& path, int count)
{
    Random rng(0x4D454D42);   // every table has its own stream
    std::vector<Member> members;
    members.reserve(size_t(count));
    // Member numbers climb with small gaps, staying within five digits.
    const int gaps = std::clamp(98000 / std::max(count, 1), 1, 3);
    int id = 100;
    for (int i = 0; i < count; ++i) {
        id += 1 + rng.below(gaps);
        members.push_back({QStringLiteral("%1").arg(id, 5, 10, QLatin1Char('0')), rng.pick(demo::kFirstNames),
                           rng.pick(demo::kLastNames)});
    }
    size_t next = 0;
    writeTableAt(path, tableDef(TableId::Members).fields, true, count, [&](xbase::Table& t) {
        const Member& m = members[next++];
        const demo::Place& p = place(rng);
        t.setText("member_id", m.id);
        t.setText("prim_first", m.first);
        t.setText("prim_last", m.last);
        t.setText("address", street(rng));
        t.setText("city", QString::fromUtf8(p.city));
        t.setText("state", QString::fromUtf8(p.state));
        t.setText("zip", zip(rng, p));
        t.setText("country", QStringLiteral("USA"));
        t.setText("phone", phone(rng));
        t.setText("email", rng.chance(85) ? email(rng, m.first, m.last) : QString());
        t.setBool("prt_label", false);
    });
    return members;
}

QString jumpHeight(double inches)
{
    if (inches <= 6.0)
        return QStringLiteral("4");
    if (inches <= 10.0)
        return QStringLiteral("8");
    if (inches <= 14.0)
        return QStringLiteral("12");
    if (inches <= 18.0)
        return QStringLiteral("16");
    if (inches <= 21.0)
        return QStringLiteral("20");
    return QStringLiteral("24");
}

void writeDogs(const QString& path, const std::vector<Member>& members, int count)
{
    Random rng(0x444F4753);
    // How many dogs each member has: spread at random, at most 99 per member.
    std::vector<int> perMember(members.size(), 0);
    int placed = 0;
    for (int i = 0; i < count && !members.empty(); ++i) {
        int& n = perMember[size_t(rng.below(int(members.size())))];
        if (n < 99) {
            ++n;
            ++placed;
        }
    }
    size_t member = 0;
    int dogOfMember = 0;
    const QDate earliestBirth(2011, 1, 1);
    const QDate checksFrom(2025, 6, 1);
    writeTableAt(path, tableDef(TableId::DogMaster).fields, true, placed, [&](xbase::Table& t) {
        while (dogOfMember >= perMember[member]) {
            ++member;
            dogOfMember = 0;
        }
        const Member& m = members[member];
        ++dogOfMember;
        const QDate birth = earliestBirth.addDays(rng.below(14 * 365));
        const double height = 7.0 + rng.below(1900) / 100.0;   // 7.00 to 25.99 inches
        t.setText("member_id", m.id);
        t.setText("dog_id", QStringLiteral("%1").arg(dogOfMember, 2, 10, QLatin1Char('0')));
        t.setText("call_name", rng.pick(demo::kCallNames));
        t.setText("breed", rng.pick(demo::kBreeds));
        t.setDate("birthdate", birth);
        t.setDouble("height", height);
        // Older dogs often hold a permanent height card; "0" and blank both mean none.
        if (birth.year() < 2020 && rng.chance(45))
            t.setText("perm_card", jumpHeight(height));
        else if (rng.chance(30))
            t.setText("perm_card", QStringLiteral("0"));
        t.setDate("legal_age", birth.addMonths(15));
        if (rng.chance(8)) {
            t.setText("check_ht", QStringLiteral("YES"));
            t.setDate("chk_ht_dat", checksFrom.addDays(rng.below(2 * 365)));
        } else {
            t.setText("check_ht", QStringLiteral("NO"));
        }
        t.setText("owner", m.first + QLatin1Char(' ') + m.last);
    });
}

void writeJudges(const QString& path, int count)
{
    Random rng(0x4A554447);
    static const char* const statuses[] = {"Active", "Active", "Active", "Provisional", "Emeritus"};
    int number = 0;
    writeTable(path, tableDef(TableId::Judges).fields, false, count, [&](xbase::Table& t) {
        ++number;
        const QString first = rng.pick(demo::kFirstNames);
        const QString last = rng.pick(demo::kLastNames);
        const demo::Place& p = place(rng);
        QString code = last.toUpper();
        code.remove(QLatin1Char('\''));
        code = code.left(12) + first.left(1).toUpper() + QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
        t.setText("judgecode", code);
        t.setText("jfirst", first);
        t.setText("jlast", last);
        t.setText("jaddress", street(rng));
        t.setText("jcity", QString::fromUtf8(p.city));
        t.setText("jstate", QString::fromUtf8(p.state));
        t.setText("jzip", zip(rng, p));
        t.setText("jcountry", QStringLiteral("USA"));
        t.setText("clubphone", phone(rng));
        t.setText("clubwork", rng.chance(40) ? phone(rng) : QString());
        t.setText("clubemail", email(rng, first, last));
        t.setText("clubfax", QString());
        t.setText("status", QString::fromLatin1(statuses[rng.below(5)]));
        t.setText("judge_id", QStringLiteral("%1").arg(100 + number * 3, 5, 10, QLatin1Char('0')));
    });
}

void writeClubs(const QString& path, int count)
{
    Random rng(0x434C5542);
    int number = 0;
    writeTable(path, tableDef(TableId::HostClubs).fields, false, count, [&](xbase::Table& t) {
        ++number;
        const QString word = rng.pick(demo::kClubWords);
        const QString kind = rng.pick(demo::kClubKinds);
        QString initials;
        for (const QString& part : (word + QLatin1Char(' ') + kind).split(QRegularExpression(QStringLiteral("[ -]")), Qt::SkipEmptyParts))
            initials += part.at(0).toUpper();
        const demo::Place& p = place(rng);
        const QString contactFirst = rng.pick(demo::kFirstNames);
        const QString contactLast = rng.pick(demo::kLastNames);
        QString slug = word.toLower();
        slug.remove(QLatin1Char(' '));
        slug.remove(QLatin1Char('-'));
        t.setText("club_code", QStringLiteral("%1%2").arg(number, 2, 10, QLatin1Char('0')).arg(initials.left(3)));
        t.setText("club_name", word + QLatin1Char(' ') + kind + QStringLiteral(" of ") + QString::fromUtf8(p.city));
        t.setText("club_num", QStringLiteral("%1").arg(number, 4, 10, QLatin1Char('0')));
        t.setText("contact", contactFirst + QLatin1Char(' ') + contactLast);
        t.setText("caddress", street(rng));
        t.setText("ccity", QString::fromUtf8(p.city));
        t.setText("cstate", QString::fromUtf8(p.state));
        t.setText("czip", zip(rng, p));
        t.setText("ccountry", QStringLiteral("USA"));
        t.setText("cphone", QStringLiteral("%1-555-01%2").arg(201 + rng.below(780)).arg(rng.below(100), 2, 10, QLatin1Char('0')));
        t.setText("cemail", email(rng, contactFirst, contactLast));
        t.setText("cwebsite", QStringLiteral("www.") + slug + QStringLiteral("%1.example.org").arg(number));
        t.setText("cnotes", QString());
    });
}

void writeBreeds(const QString& path)
{
    // AGX's breed file has more fields; the program reads only breed_name.
    const xbase::FieldList fields{{"breed_name", 'C', 40}, {"breed_code", 'C', 4}};
    size_t next = 0;
    writeTable(path, fields, false, int(demo::kBreeds.size()), [&](xbase::Table& t) {
        t.setText("breed_name", QString::fromUtf8(demo::kBreeds[next]));
        t.setText("breed_code", QStringLiteral("%1").arg(int(next) + 1, 4, 10, QLatin1Char('0')));
        ++next;
    });
}

// Runs write for a file that is not there yet and notes what happened.
void once(const QString& folder, const QString& file, SeedReport& report, const std::function<void(const QString&)>& write)
{
    const QString path = resolvePath(folder, file);
    if (QFileInfo::exists(path)) {
        report.kept << path;
        return;
    }
    write(path);
    report.written << path;
}

} // namespace

void writeProgramTables(const ProgramFolders& folders, SeedReport& report)
{
    ProgramFolders::ensureFolder(folders.pgmdata());
    for (const TableDef& def : allTableDefs()) {
        if (def.folder != Folder::PgmData || !def.createIfMissing)
            continue;
        once(folders.pgmdata(), def.file, report,
             [&](const QString& path) { writeTable(path, def.fields, false, 0, {}); });
    }
}

void writeDemoAgxData(const ProgramFolders& folders, const DemoSizes& sizes, SeedReport& report)
{
    const QString agx = folders.agxdata();
    ProgramFolders::ensureFolder(agx);
    if (present(agx, {"sxMembers.dbf", "sMembers.dbf", "sxdogmast2.dbf", "sxdogmast.dbf"})) {
        for (const char* name : {"sxMembers.dbf", "sMembers.dbf", "sxdogmast2.dbf", "sxdogmast.dbf"}) {
            if (pathExists(agx, QString::fromLatin1(name)))
                report.kept << resolvePath(agx, QString::fromLatin1(name));
        }
    } else {
        // Both files or neither: each is written aside and both are moved in at the end.
        const QString membersPath = resolvePath(agx, tableDef(TableId::Members).file);
        const QString dogsPath = resolvePath(agx, tableDef(TableId::DogMaster).file);
        const std::vector<Member> members = writeMembers(tempPath(membersPath), sizes.members);
        writeDogs(tempPath(dogsPath), members, sizes.dogs);
        moveIntoPlace(tempPath(dogsPath), dogsPath);
        moveIntoPlace(tempPath(membersPath), membersPath);
        report.written << membersPath << dogsPath;
    }
    once(agx, tableDef(TableId::Judges).file, report, [&](const QString& p) { writeJudges(p, sizes.judges); });
    once(agx, tableDef(TableId::HostClubs).file, report, [&](const QString& p) { writeClubs(p, sizes.clubs); });
    once(agx, tableDef(TableId::Breeds).file, report, [&](const QString& p) { writeBreeds(p); });
}

SeedReport seedProgramFolder(const QString& root, const DemoSizes& sizes)
{
    const ProgramFolders folders(root);
    ProgramFolders::ensureFolder(folders.root());
    SeedReport report;
    writeProgramTables(folders, report);
    writeDemoAgxData(folders, sizes, report);
    return report;
}

} // namespace data
