// Damaged and foreign files: a clear error naming the file, or a tolerant read, never a crash.

#include "xbasetest.h"

#include <QtEndian>

using namespace xbase;
using namespace xbasetest;

namespace {

// A valid two-record table to damage.
QByteArray goodTable(const TempFolder& dir)
{
    const QString path = dir.file("good.dbf");
    Table::create(path, {{"name", 'C', 10, 0}, {"n", 'N', 4, 0}});
    Table t;
    t.open(path, {.flushAfterPost = false});
    addRow(t, {"one", "1"});
    addRow(t, {"two", "2"});
    t.close();
    return readFile(path);
}

void expectError(const QString& path, const char* what)
{
    Table t;
    try {
        t.open(path);
        ADD_FAILURE() << what << ": opened";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains("bad.dbf")) << what << ": " << e.message();
    }
}

} // namespace

TEST(BadFile, DamagedHeadersAreRefusedWithTheFileName)
{
    TempFolder dir;
    const QByteArray good = goodTable(dir);
    const QString path = dir.file("bad.dbf");
    struct Damage
    {
        const char* what;
        std::function<void(QByteArray&)> apply;
    };
    const Damage cases[] = {
        {"empty", [](QByteArray& b) { b.clear(); }},
        {"truncated header", [](QByteArray& b) { b.truncate(20); }},
        {"unknown version", [](QByteArray& b) { b[0] = char(0x42); }},
        {"header length too small", [](QByteArray& b) { qToLittleEndian<quint16>(10, b.data() + 8); }},
        {"header length beyond file", [](QByteArray& b) { qToLittleEndian<quint16>(60000, b.data() + 8); }},
        {"record length zero", [](QByteArray& b) { qToLittleEndian<quint16>(0, b.data() + 10); }},
        {"record length too short for fields", [](QByteArray& b) { qToLittleEndian<quint16>(5, b.data() + 10); }},
        {"no fields", [](QByteArray& b) { b[32] = 0x0D; }},
        {"field of width 0", [](QByteArray& b) { b[32 + 16] = 0; }},
        {"nameless field", [](QByteArray& b) { b[32] = 0; }},
    };
    for (const Damage& d : cases) {
        QByteArray bytes = good;
        d.apply(bytes);
        writeFile(path, bytes);
        expectError(path, d.what);
    }
    expectError(dir.file("missing/bad.dbf"), "missing file");
    EXPECT_THROW(Table::readRecordLength(dir.file("bad-none.dbf")), Error);
}

TEST(BadFile, RecordCountsBeyondTheFileAreCutToWhatIsThere)
{
    TempFolder dir;
    QByteArray bytes = goodTable(dir);
    const QString path = dir.file("bad.dbf");
    qToLittleEndian<quint32>(1000000, bytes.data() + 4);
    bytes.chop(1);   // no end-of-file mark either
    writeFile(path, bytes);
    Table t;
    t.open(path);
    EXPECT_EQ(t.recordCount(), 2u);
    t.last();
    EXPECT_EQ(t.trimmed("name"), QString("two"));

    // Half a record at the end is ignored.
    t.close();
    bytes = goodTable(dir);
    bytes.chop(5);
    writeFile(path, bytes);
    t.open(path);
    EXPECT_EQ(t.recordCount(), 1u);
    // Appending afterwards gives a whole, readable file again.
    addRow(t, {"three", "3"});
    t.close();
    t.open(path);
    EXPECT_EQ(column(t, "name"), QStringList({"one", "three"}));
}

TEST(BadFile, UnknownFieldTypesReadAsText)
{
    TempFolder dir;
    QByteArray bytes = goodTable(dir);
    bytes[32 + 32 + 11] = 'F';   // n becomes a float field
    bytes[32 + 11] = 'X';        // name an unknown type
    const QString path = dir.file("odd.dbf");
    writeFile(path, bytes);
    Table t;
    t.open(path);
    EXPECT_EQ(t.text("name"), QString("one       "));
    EXPECT_EQ(t.toInt("n"), 1);
}

TEST(BadFile, ProductionIndexFlagAndOtherVersionsAreTolerated)
{
    TempFolder dir;
    for (const unsigned char version : {0x03, 0x04, 0x30, 0xF5 & 0x7F}) {
        QByteArray bytes = goodTable(dir);
        bytes[0] = char(version);
        bytes[28] = 0x01;   // says there is a production index; we never read one
        const QString path = dir.file("v.dbf");
        writeFile(path, bytes);
        Table t;
        if (version == (0xF5 & 0x7F)) {
            EXPECT_THROW(t.open(path), Error);
            continue;
        }
        t.open(path);
        EXPECT_EQ(t.recordCount(), 2u) << int(version);
    }
}

TEST(BadFile, BrokenMemoPointersAndMissingMemoFiles)
{
    TempFolder dir;
    const QString path = dir.file("bad.dbf");
    Table::create(path, {{"memo", 'M', 10, 0}});
    {
        Table t;
        t.open(path);
        t.append();
        t.setText("memo", "hello");
        t.post();
        t.append();
        t.setRawText("memo", "    999999");
        t.post();
        t.append();
        t.setRawText("memo", "  garbage!");
        t.post();
    }
    Table t;
    t.open(path);
    t.go(1);
    EXPECT_EQ(t.text("memo"), QString("hello"));
    t.go(2);
    EXPECT_THROW(t.text("memo"), Error);
    t.go(3);
    EXPECT_THROW(t.text("memo"), Error);
    t.close();
    QFile::remove(dir.file("bad.dbt"));
    expectError(path, "missing memo file");
}

TEST(BadFile, TheTableLockIsReleasedAfterAFailedOpen)
{
    TempFolder dir;
    goodTable(dir);
    Table bad;
    bad.setTags({{"T", "nosuchfield", false}});
    EXPECT_THROW(bad.open(dir.file("good.dbf")), Error);
    Table t;
    EXPECT_NO_THROW(t.open(dir.file("good.dbf")));
}
