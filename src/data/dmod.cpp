#include "data/dmod.h"

#include "data/scramble.h"
#include "platform/system/gendefs.h"
#include "platform/system/pathresolver.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

using data::Folder;
using data::Scrambling;
using data::TableDef;
using data::TableId;

namespace {

void removeIfExists(const QString& path)
{
    if (QFileInfo::exists(path) && !QFile::remove(path))
        throw xbase::Error(QStringLiteral("Cannot delete ") + path);
}

bool samePath(const QString& a, const QString& b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

QString baseName(const QString& file)
{
    return QFileInfo(file).completeBaseName();
}

} // namespace

TDmod::TDmod(const ProgramFolders& folders) : m_folders(folders) {}

TDmod::~TDmod() = default;

void TDmod::DmodCreate()
{
    // A folder that cannot be made stops here, before any table is opened.
    m_folders.createStartupFolders();

    if (!Members.isOpen()) {
        OpenMembers();
        computeMaxMemberID();
        Members.first();
    }
    if (!DogMaster.isOpen())
        OpenDogMaster();
    if (!ShowDates.isOpen())
        OpenShowDates();
    if (!Judges.isOpen())
        OpenJudges();
    if (!Show.isOpen())
        OpenShowTemplate();
    if (!MyMembers.isOpen())
        OpenMyMembers();
}

void TDmod::computeMaxMemberID()
{
    // Every record, deleted ones too, compared as the stored (padded) text.
    xbase::ScanCursor cursor = Members.scan();
    cursor.setCurrentTag(QString());
    QString max;
    for (bool more = cursor.first(); more && !cursor.eof(); more = cursor.next()) {
        const QString id = cursor.text(QStringLiteral("member_id"));
        if (id > max)
            max = id;
    }
    MaxMemberID = max;
}

// ---------------------------------------------------------------------------
// Paths

QString TDmod::trialFolder(const QString& trial) const
{
    return resolvePath(m_folders.catdata(), QStringLiteral("cat") + trial + QLatin1Char('/'));
}

QString TDmod::mdxPath(const QString& base) const
{
    return resolvePath(m_folders.indexs(), base + QStringLiteral(".mdx"));
}

QString TDmod::TablePath(TableId id, const QString& trial) const
{
    const TableDef& def = data::tableDef(id);
    QString file = def.file;
    if (id == TableId::Results)
        file = ResultsFileName(trial) + QStringLiteral(".dbf");
    else if (id == TableId::SCTInfo)
        file = SCTInfoFileName(trial) + QStringLiteral(".dbf");
    if (file.isEmpty())
        throw xbase::Error(def.object + QStringLiteral(" has no fixed file name"));

    switch (def.folder) {
    case Folder::AgxData: return resolvePath(m_folders.agxdata(), file);
    case Folder::UserData: return resolvePath(m_folders.userdata(), file);
    case Folder::PgmData: return resolvePath(m_folders.pgmdata(), file);
    case Folder::Shows: return resolvePath(m_folders.shows(), file);
    case Folder::Trial: return resolvePath(trialFolder(trial), file);
    }
    return {};
}

// ---------------------------------------------------------------------------
// The one open every operation uses

void TDmod::open(xbase::Table& table, const TableDef& def, const QString& path, const QString& mdxBase)
{
    if (!def.tags.isEmpty())
        removeIfExists(mdxPath(mdxBase));

    // Callbacks can only be attached to an open table, so it is opened without tags
    // and the tags are built once, from the unscrambled records.
    table.setTags({});
    table.open(path);
    // Set every time: the same object may have held a file of the other kind before.
    const bool reads = def.scrambling != Scrambling::None;
    const bool writes = def.scrambling == Scrambling::Both;
    table.setReadCallback(reads ? xbase::RecordCallback(data::UnscrambleRecord) : xbase::RecordCallback());
    table.setWriteCallback(writes ? xbase::RecordCallback(data::ScrambleRecord) : xbase::RecordCallback());
    table.setTags(def.tags);
    table.setCurrentTag(def.currentTag);
    table.first();
}

void TDmod::OpenDefined(xbase::Table& table, TableId id, const QString& trial)
{
    const TableDef& def = data::tableDef(id);
    if (table.isOpen()) {
        // Still open for another trial: this trial's work must not go into that one's file.
        if (def.folder != Folder::Trial || samePath(table.path(), TablePath(id, trial)))
            return;
        table.close();
    }
    const QString path = TablePath(id, trial);
    if (def.createIfMissing && !QFileInfo::exists(path))
        xbase::Table::create(path, def.fields);

    QString mdxBase = baseName(path);
    if (def.folder == Folder::Trial && id != TableId::Results && id != TableId::SCTInfo)
        mdxBase = trial + baseName(def.file);
    open(table, def, path, mdxBase);
}

// ---------------------------------------------------------------------------
// Installation tables

void TDmod::OpenDogMaster()
{
    if (DogMaster.isOpen())
        return;
    const QString path = TablePath(TableId::DogMaster);
    if (!QFileInfo::exists(path)) {
        // First start after an update from the previous version: its dog file has the
        // same (scrambled) record form, so the records are copied as they are.
        const QString previous = resolvePath(m_folders.agxdata(), QStringLiteral("sxdogmast.dbf"));
        xbase::Table::create(path, data::tableDef(TableId::DogMaster).fields);
        try {
            xbase::Table copy;
            copy.open(path);
            copy.appendFrom(previous, xbase::AppendMode::Raw);
            copy.close();
        } catch (...) {
            // Leave no empty dog file behind: it would hide the failure at the next start.
            xbase::Table::remove(path);
            throw;
        }
    }
    OpenDefined(DogMaster, TableId::DogMaster);
    DogFileScrambled = true;
}

void TDmod::OpenMembers()
{
    if (Members.isOpen())
        return;
    const TableDef& def = data::tableDef(TableId::Members);
    QString path = TablePath(TableId::Members);
    if (QFileInfo::exists(path)) {
        open(Members, def, path, baseName(path));
        return;
    }
    // The plain member file of older AGX downloads.
    TableDef plain = def;
    plain.scrambling = Scrambling::None;
    path = resolvePath(m_folders.agxdata(), QStringLiteral("sMembers.dbf"));
    open(Members, plain, path, baseName(path));
}

void TDmod::OpenJudges() { OpenDefined(Judges, TableId::Judges); }
void TDmod::OpenBreeds() { OpenDefined(Breeds, TableId::Breeds); }
void TDmod::OpenHostClubs() { OpenDefined(HostClubs, TableId::HostClubs); }
void TDmod::OpenShowDates() { OpenDefined(ShowDates, TableId::ShowDates); }
void TDmod::OpenShowTemplate() { OpenDefined(Show, TableId::Show); }
void TDmod::OpenMail() { OpenDefined(Mail, TableId::Mail); }
void TDmod::OpenMyMembers() { OpenDefined(MyMembers, TableId::MyMembers); }
void TDmod::OpenUpdates() { OpenDefined(Updates, TableId::Updates); }

void TDmod::OpenTzDbf1(const QString& path)
{
    if (TzDbf1.isOpen())
        TzDbf1.close();
    const QString resolved = resolvePath(path);   // a stored path may be in Windows form
    open(TzDbf1, data::tableDef(TableId::TzDbf1), resolved, baseName(resolved));
}

// ---------------------------------------------------------------------------
// Tables of one trial

void TDmod::OpenLevGroup(const QString& trial) { OpenDefined(LevGroup, TableId::LevGroup, trial); }
void TDmod::OpenRunOrder(const QString& trial) { OpenDefined(RunOrder, TableId::RunOrder, trial); }
void TDmod::OpenJumpHts(const QString& trial) { OpenDefined(JumpHts, TableId::JumpHts, trial); }
void TDmod::OpenCatalog(const QString& trial) { OpenDefined(Catalog, TableId::Catalog, trial); }
void TDmod::OpenSCTInfo(const QString& trial) { OpenDefined(SCTInfo, TableId::SCTInfo, trial); }
void TDmod::OpenShwJudges(const QString& trial) { OpenDefined(ShwJudges, TableId::ShwJudges, trial); }
void TDmod::OpenHITinfo(const QString& trial) { OpenDefined(HITinfo, TableId::HITinfo, trial); }

void TDmod::OpenResults(const QString& trial)
{
    const QString before = Results.isOpen() ? Results.path() : QString();
    OpenDefined(Results, TableId::Results, trial);
    if (Results.path() != before)
        computeLastAutolink();
}

void TDmod::computeLastAutolink()
{
    // From the stored bytes of every record, deleted ones included.
    const int field = Results.fieldNumber(QStringLiteral("autolink"));
    const quint32 count = Results.recordCount();
    if (count == 0 || field == 0)
        return;
    qint64 max = 0;
    for (quint32 rec = 1; rec <= count; ++rec) {
        const qint64 value = Results.rawField(rec, field).trimmed().toLongLong();
        if (value > max)
            max = value;
    }
    LastAutolink = max;
}

void TDmod::OpenAGXreport(const QString& trial)
{
    if (AGXreport.isOpen())
        AGXreport.close();
    OpenDefined(AGXreport, TableId::AGXreport, trial);
}

bool TDmod::LevGroupExists(const QString& trial) const
{
    return pathExists(trialFolder(trial), data::tableDef(TableId::LevGroup).file);
}

bool TDmod::RunOrderExists(const QString& trial) const
{
    return pathExists(trialFolder(trial), data::tableDef(TableId::RunOrder).file);
}

bool TDmod::ResultsExists(const QString& trial) const
{
    return pathExists(trialFolder(trial), ResultsFileName(trial) + QStringLiteral(".dbf"));
}

QString TDmod::ResultsFileName(const QString&) const
{
    return m_trialDateKey + QStringLiteral("Results") + ClubID();
}

QString TDmod::SCTInfoFileName(const QString&) const
{
    return m_trialDateKey + QStringLiteral("SCTInfo") + ClubID();
}

// ---------------------------------------------------------------------------
// Work tables

void TDmod::recreate(xbase::Table& table, TableId id)
{
    if (table.isOpen())
        table.close();
    const QString path = TablePath(id);
    xbase::Table::remove(path);
    removeIfExists(mdxPath(baseName(path)));
    xbase::Table::create(path, data::tableDef(id).fields);
    OpenDefined(table, id);
}

void TDmod::NewCounts() { recreate(Counts, TableId::Counts); }
void TDmod::NewVScribe() { recreate(vScribe, TableId::vScribe); }

void TDmod::OpenScribe()
{
    OpenDefined(Scribe, TableId::Scribe);
    Scribe.zap();
}

void TDmod::OpenVresults()
{
    OpenDefined(Vresults, TableId::Vresults);
    Vresults.zap();
}

void TDmod::OpenVsct()
{
    OpenDefined(Vsct, TableId::Vsct);
    Vsct.zap();
}

void TDmod::OpenVRibbons() { OpenDefined(VRibbons, TableId::VRibbons); }
void TDmod::OpenVhitrep() { OpenDefined(vhitrep, TableId::vhitrep); }

// ---------------------------------------------------------------------------
// Checks and values

bool TDmod::GateKeysAssigned()
{
    if (!TzDbf1.isOpen())
        return true;
    // Every live record must have a key: looking at record 1 alone would let a deleted
    // first record block the documents, and live records without keys pass.
    const int field = TzDbf1.fieldNumber(QStringLiteral("gatekey"));
    const quint32 count = TzDbf1.recordCount();
    for (quint32 rec = 1; rec <= count; ++rec) {
        const QByteArray raw = TzDbf1.rawRecord(rec);
        if (raw.startsWith('*'))
            continue;
        if (field == 0 || data::UnscrambleText(TzDbf1.rawField(rec, field)).trimmed().isEmpty())
            return false;
    }
    return true;
}

namespace {

// A text read as a number the lenient way: blanks around it ignored, a leading "+"
// dropped, reading stops at the first character that is not part of a number.
double leadingNumber(const QString& text)
{
    QString t = text.trimmed();
    if (t.startsWith(QLatin1Char('+')))
        t.remove(0, 1);
    qsizetype end = 0;
    if (end < t.size() && t[end] == QLatin1Char('-'))
        ++end;
    bool point = false;
    while (end < t.size() && (t[end].isDigit() || (t[end] == QLatin1Char('.') && !point))) {
        point = point || t[end] == QLatin1Char('.');
        ++end;
    }
    return t.left(end).toDouble();
}

} // namespace

bool TDmod::NeedsMeasuring(const QString& memDogId)
{
    OpenDogMaster();
    DogMaster.setCurrentTag(QStringLiteral("IDKEY"));
    DogMaster.first();
    QString id = memDogId;
    if (const qsizetype dash = id.indexOf(QLatin1Char('-')); dash >= 0)
        id.remove(dash, 1);
    if (!DogMaster.seek(id))
        return true;
    if (leadingNumber(DogMaster.text(QStringLiteral("perm_card"))) == 0)
        return true;
    if (DogMaster.text(QStringLiteral("check_ht")).trimmed().toUpper() != QStringLiteral("YES"))
        return false;

    const QByteArray stored = DogMaster.rawField(DogMaster.recNo(), DogMaster.fieldNumber(QStringLiteral("chk_ht_dat")));
    const QString due = DogFileScrambled ? data::UnscrambleText(stored) : QString::fromLatin1(stored);
    if (due.mid(4, 4) == QStringLiteral("0000") || due.trimmed().isEmpty())
        return true;

    const QDate dueDate = QDate::fromString(due, QStringLiteral("yyyyMMdd"));
    QDate lastDay = ShowDates.isOpen() ? ShowDates.toDate(QStringLiteral("show_date")) : QDate();
    if (lastDay.isValid() && ShowDates.toInt(QStringLiteral("num_days")) >= 2)
        lastDay = lastDay.addDays(ShowDates.toInt(QStringLiteral("num_days")) - 1);
    // A date that cannot be read cannot excuse the dog: better measured than missed.
    if (!dueDate.isValid() || !lastDay.isValid())
        return true;
    return dueDate.daysTo(lastDay) >= 0;
}

QString TDmod::ClubID() const
{
    if (!m_clubIDRead) {
        m_clubID = GenDefs(m_folders.gendefs()).clubId();
        m_clubIDRead = true;
    }
    return m_clubID;
}

bool TDmod::SetTrialDateKey(int trialNumber)
{
    m_trialDateKey.clear();
    OpenShowDates();
    xbase::ScanCursor cursor = ShowDates.scan();
    cursor.setCurrentTag(QStringLiteral("SHOWNUM"));
    if (!cursor.seek(data::ShowDatesKey(trialNumber)))
        return false;
    SetTrialDateKeyFromText(cursor.text(QStringLiteral("show_date")));
    return true;
}

void TDmod::SetTrialDateKeyFromText(const QString& dateText)
{
    // MM/DD/YYYY -> MMDDYYYY
    m_trialDateKey = dateText.mid(0, 2) + dateText.mid(3, 2) + dateText.mid(6, 4);
}

// ---------------------------------------------------------------------------

namespace data {

QString TrialNumberText(int trialNumber)
{
    return QStringLiteral("%1").arg(trialNumber, 5, 10, QLatin1Char('0'));
}

QString ShowDatesKey(int trialNumber)
{
    return QStringLiteral("%1").arg(trialNumber, 5);
}

QString EntriesFileName(int trialNumber, const QString& firstDateText)
{
    QString date = firstDateText;
    date.replace(QLatin1Char('/'), QLatin1Char('-'));
    return QStringLiteral("Show-") + TrialNumberText(trialNumber) + QLatin1Char('-') + date + QStringLiteral(".dbf");
}

int TrialNumberFromEntriesFile(const QString& path)
{
    const QString name = QFileInfo(fromWindowsPath(path)).fileName();
    if (!name.startsWith(QStringLiteral("Show-"), Qt::CaseInsensitive))
        return 0;
    const qsizetype dash = name.indexOf(QLatin1Char('-'), 5);
    if (dash < 0)
        return 0;
    bool ok = false;
    const int number = name.mid(5, dash - 5).toInt(&ok);
    return ok && number > 0 ? number : 0;
}

} // namespace data
