// Creating, reading and writing table files: header facts, field kinds, memo files.

#include "xbasetest.h"

#include <QDate>

using namespace xbase;
using namespace xbasetest;

namespace {

const FieldList kFields = {
    {"name", 'C', 10, 0}, {"n", 'N', 5, 2}, {"d", 'D', 10, 0}, {"ok", 'L', 1, 0}, {"count", 'N', 3, 0},
};

} // namespace

TEST(TableFile, CreateWritesADbaseThreeHeader)
{
    TempFolder dir;
    const QString path = dir.file("t.dbf");
    Table::create(path, kFields);
    const QByteArray bytes = readFile(path);
    ASSERT_EQ(bytes.size(), 32 + 5 * 32 + 1 + 1);
    EXPECT_EQ(quint8(bytes[0]), 0x03);
    EXPECT_EQ(quint8(bytes[28]), 0x00);            // no MDX
    EXPECT_EQ(quint8(bytes[29]), 0x01);            // code page 437
    EXPECT_EQ(bytes.mid(4, 4), QByteArray(4, '\0'));
    EXPECT_EQ(quint8(bytes[8]) | quint8(bytes[9]) << 8, 32 + 5 * 32 + 1);
    EXPECT_EQ(Table::readRecordLength(path), 1 + 10 + 5 + 8 + 1 + 3);   // D declared 10 is written 8 wide
    EXPECT_EQ(bytes.mid(32, 5), QByteArray("NAME\0", 5));
    EXPECT_EQ(bytes[32 + 11], 'C');
    EXPECT_EQ(quint8(bytes[32 + 32 + 17]), 2);       // decimals of n
    EXPECT_EQ(quint8(bytes[32 + 64 + 16]), 8);       // width of d
    EXPECT_EQ(bytes[bytes.size() - 2], 0x0D);
    EXPECT_EQ(bytes[bytes.size() - 1], 0x1A);

    Table t;
    t.open(path);
    EXPECT_EQ(t.recordCount(), 0u);
    EXPECT_TRUE(t.eof());
    EXPECT_TRUE(t.bof());
    EXPECT_EQ(t.fieldCount(), 5);
    EXPECT_EQ(t.fieldDef("D").width, 8);
    EXPECT_EQ(t.fieldNumber("OK"), 4);
    EXPECT_EQ(t.fieldIndex("missing"), -1);
    EXPECT_EQ(t.codePage().number(), 437);
    EXPECT_EQ(t.fields()[0].name, QString("NAME"));
}

TEST(TableFile, AppendedRecordsAreStoredAsDbaseText)
{
    TempFolder dir;
    const QString path = dir.file("t.dbf");
    Table::create(path, kFields);
    {
        Table t;
        t.open(path);
        t.append();
        t.setText("name", "Rex");
        t.setDouble("n", 12.345);
        t.setDate("d", QDate(2004, 6, 5));
        t.setBool("ok", true);
        t.setInt("count", 7);
        ASSERT_TRUE(t.post());
        t.append();
        ASSERT_TRUE(t.post());
        EXPECT_EQ(t.recordCount(), 2u);
    }
    const QByteArray bytes = readFile(path);
    const int header = 32 + 5 * 32 + 1;
    EXPECT_EQ(bytes.mid(header, 28), QByteArray(" Rex       12.3520040605T  7"));
    EXPECT_EQ(bytes.mid(header + 28, 28), QByteArray(28, ' '));
    EXPECT_EQ(bytes.size(), header + 2 * 28 + 1);
    EXPECT_EQ(bytes[bytes.size() - 1], 0x1A);
    EXPECT_EQ(quint8(bytes[4]), 2);
    const QDate today = QDate::currentDate();
    EXPECT_EQ(quint8(bytes[1]) + 1900, today.year());
    EXPECT_EQ(quint8(bytes[2]), today.month());
    EXPECT_EQ(quint8(bytes[3]), today.day());
}

TEST(TableFile, ValuesReadAsPaddedTextAndTyped)
{
    TempFolder dir;
    const QString path = dir.file("t.dbf");
    Table::create(path, kFields);
    Table t;
    t.open(path);
    addRow(t, {"Rex", "3.5", "06/05/2004", "T", "42"});
    addRow(t, {"", "", "", "", ""});
    t.first();
    EXPECT_EQ(t.text("name"), QString("Rex       "));
    EXPECT_EQ(t.text("n"), QString(" 3.50"));
    EXPECT_EQ(t.text("d"), QString("06/05/2004"));
    EXPECT_EQ(t.rawText("d"), QString("20040605"));
    EXPECT_EQ(t.text("ok"), QString("T"));
    EXPECT_EQ(t.text("count"), QString(" 42"));
    EXPECT_EQ(t.trimmed("name"), QString("Rex"));
    EXPECT_EQ(t.toInt("count"), 42);
    EXPECT_DOUBLE_EQ(t.toDouble("n"), 3.5);
    EXPECT_EQ(t.toInt("n"), 4);   // rounded
    EXPECT_TRUE(t.toBool("ok"));
    EXPECT_EQ(t.toDate("d"), QDate(2004, 6, 5));
    EXPECT_EQ(t.text(1), t.text("NAME"));
    t.next();
    EXPECT_EQ(t.text("name"), QString(10, ' '));
    EXPECT_EQ(t.text("n"), QString(5, ' '));
    EXPECT_EQ(t.text("d"), QString(10, ' '));
    EXPECT_EQ(t.text("ok"), QString("F"));
    EXPECT_EQ(t.toInt("count"), 0);
    EXPECT_FALSE(t.toDate("d").isValid());
    EXPECT_TRUE(t.isBlank("d"));
}

TEST(TableFile, RawDateTextKeepsInvalidDates)
{
    TempFolder dir;
    const QString path = dir.file("t.dbf");
    Table::create(path, kFields);
    Table t;
    t.open(path);
    t.append();
    t.setRawText("d", "20050000");
    t.post();
    EXPECT_EQ(t.rawText("d"), QString("20050000"));
    EXPECT_EQ(t.rawText("d").mid(4, 4), QString("0000"));
    EXPECT_FALSE(t.toDate("d").isValid());
    EXPECT_EQ(t.text("d"), QString("00/00/2005"));
}

TEST(TableFile, CharacterAssignmentIsCutToTheWidth)
{
    TempFolder dir;
    const QString path = dir.file("t.dbf");
    Table::create(path, kFields);
    Table t;
    t.open(path);
    t.append();
    t.setText("name", "Abcdefghijklmnop");
    t.post();
    EXPECT_EQ(t.text("name"), QString("Abcdefghij"));
}

TEST(TableFile, NumberThatDoesNotFitIsRefusedNamingTheField)
{
    TempFolder dir;
    const QString path = dir.file("t.dbf");
    Table::create(path, kFields);
    Table t;
    t.open(path);
    t.append();
    const struct { const char* field; double value; } cases[] = {{"count", 1000}, {"count", -100}, {"n", 100}, {"n", -10}};
    for (const auto& c : cases) {
        try {
            t.setDouble(c.field, c.value);
            ADD_FAILURE() << c.field << " " << c.value << " was accepted";
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().contains(QString(c.field), Qt::CaseInsensitive)) << e.message();
            EXPECT_TRUE(e.message().contains("t.dbf")) << e.message();
        }
    }
    EXPECT_THROW(t.setText("count", "1234"), Error);
    EXPECT_THROW(t.setText("count", "abc"), Error);
    t.setDouble("n", 99.994);
    EXPECT_EQ(t.text("n"), QString("99.99"));
    t.setDouble("n", -9.99);
    EXPECT_EQ(t.text("n"), QString("-9.99"));
    t.setInt("count", -99);
    EXPECT_EQ(t.text("count"), QString("-99"));
}

TEST(TableFile, LogicalsReadTheUsualLetters)
{
    TempFolder dir;
    const QString path = dir.file("t.dbf");
    Table::create(path, kFields);
    Table t;
    t.open(path);
    const struct { const char* stored; bool value; } cases[] = {
        {"T", true}, {"t", true}, {"Y", true}, {"y", true}, {"F", false}, {"N", false}, {" ", false}, {"?", false}};
    for (const auto& c : cases) {
        t.append();
        t.setRawText("ok", c.stored);
        t.post();
        EXPECT_EQ(t.toBool("ok"), c.value) << c.stored;
        EXPECT_EQ(t.text("ok"), c.value ? QString("T") : QString("F")) << c.stored;
    }
}

TEST(TableFile, MemoTextRoundTripsThroughTheDbt)
{
    TempFolder dir;
    const QString path = dir.file("report.dbf");
    Table::create(path, {{"day_num", 'C', 1, 0}, {"memo1", 'M', 10, 0}});
    EXPECT_EQ(quint8(readFile(path)[0]), 0x83);
    ASSERT_TRUE(QFile::exists(dir.file("report.dbt")));
    const QString longText = QString("Line one\r\nLine two with é and ñ\r\n").repeated(40);   // > one block
    {
        Table t;
        t.open(path);
        t.append();
        t.setText("day_num", "1");
        t.setText("memo1", "Short");
        t.post();
        t.append();
        t.setText("day_num", "2");
        t.setText("memo1", longText);
        t.post();
        t.append();
        t.setText("day_num", "3");
        t.post();
    }
    Table t;
    t.open(path);
    t.first();
    EXPECT_EQ(t.text("memo1"), QString("Short"));
    t.next();
    EXPECT_EQ(t.text("memo1"), longText);
    t.next();
    EXPECT_EQ(t.text("memo1"), QString());
    t.go(1);
    t.edit();
    t.setText("memo1", "Changed");
    t.post();
    EXPECT_EQ(t.text("memo1"), QString("Changed"));
    t.go(2);
    EXPECT_EQ(t.text("memo1"), longText);
    const QByteArray dbt = readFile(dir.file("report.dbt"));
    EXPECT_EQ(dbt.size() % 512, 0);
    EXPECT_TRUE(dbt.contains(QByteArray("Short\x1A\x1A")));

    t.zap();
    EXPECT_EQ(readFile(dir.file("report.dbt")).size(), 512);
}

TEST(TableFile, TablesOpenExclusively)
{
    TempFolder dir;
    const QString path = dir.file("t.dbf");
    Table::create(path, kFields);
    Table a;
    a.open(path);
    Table b;
    try {
        b.open(path);
        FAIL() << "second open succeeded";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains("t.dbf"));
        EXPECT_TRUE(e.message().contains("in use"));
    }
    EXPECT_FALSE(b.isOpen());
    a.close();
    b.open(path);
    EXPECT_TRUE(b.isOpen());
}

TEST(TableFile, ReadOnlyTablesRefuseWrites)
{
    TempFolder dir;
    const QString path = dir.file("t.dbf");
    Table::create(path, kFields);
    {
        Table t;
        t.open(path);
        addRow(t, {"a"});
    }
    const QByteArray before = readFile(path);
    Table t;
    t.open(path, {.readOnly = true});
    EXPECT_TRUE(t.isReadOnly());
    EXPECT_THROW(t.append(), Error);
    EXPECT_THROW(t.edit(), Error);
    EXPECT_THROW(t.setDeleted(true), Error);
    EXPECT_THROW(t.zap(), Error);
    EXPECT_THROW(t.setReadOnly(false), Error);
    EXPECT_EQ(readFile(path), before);

    Table w;
    w.open(dir.file("t.dbf").replace("t.dbf", "t.dbf"), {.readOnly = true});   // shared with another reader
    EXPECT_TRUE(w.isOpen());
}

TEST(TableFile, ReadOnlyModeCanBeSwitchedOnAnOpenTable)
{
    TempFolder dir;
    const QString path = dir.file("t.dbf");
    Table::create(path, kFields);
    Table t;
    t.open(path);
    addRow(t, {"a"});
    t.setReadOnly(true);
    EXPECT_THROW(t.setText("name", "b"), Error);
    t.setReadOnly(false);
    t.setText("name", "b");
    EXPECT_TRUE(t.post());
    EXPECT_EQ(t.trimmed("name"), QString("b"));
}

TEST(TableFile, CopyStructureMakesAnEmptyTableWithTheSameFields)
{
    TempFolder dir;
    Table::create(dir.file("a.dbf"), kFields);
    Table a;
    a.open(dir.file("a.dbf"));
    addRow(a, {"x"});
    a.copyStructure(dir.file("b.dbf"));
    Table b;
    b.open(dir.file("b.dbf"));
    EXPECT_EQ(b.fields(), a.fields());
    EXPECT_EQ(b.recordCount(), 0u);
    EXPECT_EQ(b.recordLength(), a.recordLength());
}

TEST(TableFile, RemoveDeletesTableAndMemo)
{
    TempFolder dir;
    Table::create(dir.file("m.dbf"), {{"memo1", 'M', 10, 0}});
    Table::remove(dir.file("m.dbf"));
    EXPECT_FALSE(QFile::exists(dir.file("m.dbf")));
    EXPECT_FALSE(QFile::exists(dir.file("m.dbt")));
}
