// The record buffer: states, auto-post, events, deletion marks, pack, zap and callbacks.

#include "xbasetest.h"

using namespace xbase;
using namespace xbasetest;

namespace {

class TableEdit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = dir.file("dogs.dbf");
        Table::create(path, {{"armband", 'C', 6, 0}, {"call_name", 'C', 15, 0}, {"pts", 'N', 3, 0}});
        table.setTags({{"ARMBAND", "armband", false}});
        table.open(path, {.flushAfterPost = false, .currentTag = "armband"});
        for (const char* name : {"Rex", "Ace", "Bo"})
            addRow(table, {QString(), name});
        for (quint32 r = 1; r <= 3; ++r) {
            table.go(r);
            table.setText("armband", QString::number(r * 100).rightJustified(6));
            table.post();
        }
        table.first();
    }

    TempFolder dir;
    QString path;
    Table table;
};

} // namespace

TEST_F(TableEdit, AppendKeepsTheBlankRecordOutOfTheFileUntilPost)
{
    table.append();
    EXPECT_EQ(table.state(), Table::State::Insert);
    EXPECT_EQ(table.recordCount(), 3u);
    EXPECT_EQ(table.recNo(), 0u);
    EXPECT_EQ(table.text("call_name"), QString(15, ' '));
    table.setText("call_name", "Zed");
    EXPECT_TRUE(table.post());
    EXPECT_EQ(table.state(), Table::State::Browse);
    EXPECT_EQ(table.recordCount(), 4u);
    EXPECT_EQ(table.recNo(), 4u);
    EXPECT_EQ(table.trimmed("call_name"), QString("Zed"));
}

TEST_F(TableEdit, CancelDropsTheBufferAndReturnsToTheRecord)
{
    table.go(2);
    table.append();
    table.setText("call_name", "Gone");
    table.cancel();
    EXPECT_EQ(table.recordCount(), 3u);
    EXPECT_EQ(table.recNo(), 2u);
    EXPECT_EQ(table.trimmed("call_name"), QString("Ace"));

    table.edit();
    table.setText("call_name", "Changed");
    EXPECT_EQ(table.trimmed("call_name"), QString("Changed"));
    table.cancel();
    EXPECT_EQ(table.trimmed("call_name"), QString("Ace"));
    Table::State s = table.state();
    EXPECT_EQ(s, Table::State::Browse);
}

TEST_F(TableEdit, SettingAFieldInBrowseStartsEditing)
{
    table.go(1);
    table.setText("call_name", "Max");
    EXPECT_EQ(table.state(), Table::State::Edit);
    EXPECT_TRUE(table.isModified());
}

TEST_F(TableEdit, MovingWhileEditingPostsFirst)
{
    table.go(1);
    table.edit();
    table.setText("call_name", "Max");
    table.next();
    EXPECT_EQ(table.state(), Table::State::Browse);
    EXPECT_EQ(table.recNo(), 2u);
    EXPECT_EQ(table.scan().text("call_name").trimmed(), QString("Max"));

    table.append();
    table.setText("call_name", "New");
    table.first();
    EXPECT_EQ(table.recordCount(), 4u);
}

TEST_F(TableEdit, BeforePostMayChangeTheBufferOrVeto)
{
    bool allow = true;
    table.onBeforePost([&](Table& t) {
        t.setText("call_name", t.trimmed("call_name").toUpper());
        return allow;
    });
    table.go(1);
    table.setText("call_name", "max");
    EXPECT_TRUE(table.post());
    EXPECT_EQ(table.trimmed("call_name"), QString("MAX"));

    allow = false;
    table.setText("call_name", "rex");
    EXPECT_FALSE(table.post());
    EXPECT_EQ(table.state(), Table::State::Edit);
    // A vetoed auto-post keeps the cursor where it was.
    EXPECT_FALSE(table.next());
    EXPECT_EQ(table.recNo(), 1u);
    EXPECT_FALSE(table.seek(" 300"));
    EXPECT_EQ(table.recNo(), 1u);
    table.cancel();
    EXPECT_EQ(table.trimmed("call_name"), QString("MAX"));
}

TEST_F(TableEdit, EventsFireAndCanBeDetached)
{
    QStringList log;
    const auto scroll = table.onAfterScroll([&](Table& t) { log << QString("scroll %1").arg(t.recNo()); });
    table.onStateChange([&](Table& t) { log << QString("state %1").arg(int(t.state())); });
    table.onAfterPost([&](Table& t) { log << QString("posted %1").arg(t.recNo()); });
    table.first();
    table.next();
    table.edit();
    table.setText("pts", "5");
    table.post();
    table.detach(scroll);
    table.next();
    EXPECT_EQ(log, QStringList({"scroll 1", "scroll 2", "state 2", "state 1", "posted 2"}));
}

TEST_F(TableEdit, BeforeNavigateCanRefuseAMove)
{
    bool allow = false;
    table.onBeforeNavigate([&](Table&) { return allow; });
    table.first();
    EXPECT_FALSE(table.next());
    EXPECT_EQ(table.recNo(), 1u);
    allow = true;
    EXPECT_TRUE(table.next());
    EXPECT_EQ(table.recNo(), 2u);
}

TEST_F(TableEdit, DisabledControlsGetOneScrollAtTheEnd)
{
    int scrolls = 0;
    table.onAfterScroll([&](Table&) { ++scrolls; });
    table.disableControls();
    table.disableControls();
    for (table.first(); !table.eof(); table.next()) {
    }
    table.enableControls();
    EXPECT_EQ(scrolls, 0);
    table.enableControls();
    EXPECT_EQ(scrolls, 1);
}

TEST_F(TableEdit, DeletedRecordsStayVisibleUntilPacked)
{
    table.go(2);
    table.setDeleted(true);
    EXPECT_TRUE(table.isDeleted());
    EXPECT_EQ(table.state(), Table::State::Browse);
    EXPECT_EQ(table.rawRecord(2)[0], '*');
    EXPECT_EQ(walk(table), QList<quint32>({1, 2, 3}));
    table.setShowDeleted(false);
    EXPECT_EQ(walk(table), QList<quint32>({1, 3}));
    table.setShowDeleted(true);
    table.go(2);
    table.toggleDeleted();
    EXPECT_FALSE(table.isDeleted());
    table.toggleDeleted();

    table.pack();
    EXPECT_EQ(table.recordCount(), 2u);
    EXPECT_EQ(table.recNo(), 1u);
    EXPECT_EQ(column(table, "call_name"), QStringList({"Rex", "Bo"}));
    EXPECT_FALSE(QFile::exists(path + ".packing"));
    table.close();
    Table again;
    again.open(path);
    EXPECT_EQ(column(again, "call_name"), QStringList({"Rex", "Bo"}));
}

TEST_F(TableEdit, PackKeepsTheLockOnTheNewFile)
{
    table.go(1);
    table.setDeleted(true);
    table.pack();
    Table other;
    EXPECT_THROW(other.open(path), Error);
}

TEST_F(TableEdit, ZapRemovesEveryRecord)
{
    table.zap();
    EXPECT_EQ(table.recordCount(), 0u);
    EXPECT_TRUE(table.eof());
    EXPECT_FALSE(table.seek("   100"));
    addRow(table, {"   700", "Late"});
    EXPECT_TRUE(table.seek("   700"));
    EXPECT_EQ(QFileInfo(path).size(), table.headerLength() + table.recordLength() + 1);
}

TEST_F(TableEdit, RawAccessBypassesTheCallbackAndKeepsTheCursor)
{
    const auto shift = [](int by) {
        return [by](char* p, qsizetype n) {
            for (qsizetype i = 0; i < n; ++i)
                p[i] = char(quint8(p[i]) + by);
        };
    };
    table.setWriteCallback(shift(0x2F));
    table.rewriteAll();                       // scramble the plain records
    table.setReadCallback(shift(-0x2F));
    table.go(2);
    const QByteArray raw = table.rawField(1, 2);
    EXPECT_EQ(table.recNo(), 2u);
    QByteArray plain = raw;
    shift(-0x2F)(plain.data(), plain.size());
    EXPECT_EQ(plain, QByteArray("Rex            "));
    EXPECT_EQ(table.rawRecord(1)[0], ' ');    // the deletion byte is never scrambled
    EXPECT_EQ(table.trimmed("call_name"), QString("Ace"));
    EXPECT_TRUE(table.seek("   300"));       // tags built on plain values
    EXPECT_EQ(table.trimmed("call_name"), QString("Bo"));
    table.setDeleted(true);
    EXPECT_EQ(table.rawRecord(3)[0], '*');

    // Encode first, then scramble: "é" is 0x82 in the file before the shift.
    table.setText("call_name", QString::fromUtf8("Zoé"));
    table.post();
    EXPECT_EQ(quint8(table.rawField(3, 2)[2]), quint8(0x82 + 0x2F));
    table.close();

    Table reader;
    reader.open(path);
    reader.setReadCallback(shift(-0x2F));
    reader.go(3);
    EXPECT_EQ(reader.trimmed("call_name"), QString::fromUtf8("Zoé"));
    EXPECT_TRUE(reader.isDeleted());
}

TEST_F(TableEdit, UntouchedBytesRoundTripExactly)
{
    // Bytes that mean nothing in code page 437 text survive an edit of another field.
    QByteArray odd(15, '\0');
    for (int i = 0; i < 15; ++i)
        odd[i] = char(0xE0 + i);
    table.go(1);
    table.setRawBytes("call_name", odd);
    table.post();
    table.setText("pts", "9");
    table.post();
    EXPECT_EQ(table.rawField(1, 2), odd);
}

TEST_F(TableEdit, AppendFromCopiesByNameKeepingDeletedMarks)
{
    const QString other = dir.file("other.dbf");
    Table::create(other, {{"CALL_NAME", 'C', 20, 0}, {"pts", 'N', 5, 1}, {"extra", 'C', 3, 0}});
    {
        Table o;
        o.open(other);
        addRow(o, {"Long Call Name Here", "12.4", "x"});
        addRow(o, {"Second", "", ""});
        o.go(2);
        o.setDeleted(true);
    }
    table.appendFrom(other);
    EXPECT_EQ(table.recordCount(), 5u);
    table.go(4);
    EXPECT_EQ(table.text("call_name"), QString("Long Call Name "));
    EXPECT_EQ(table.text("pts"), QString(" 12"));
    EXPECT_EQ(table.text("armband"), QString(6, ' '));
    EXPECT_FALSE(table.isDeleted());
    table.go(5);
    EXPECT_TRUE(table.isDeleted());
    EXPECT_EQ(column(table, "call_name").size(), 5);

    const QString same = dir.file("same.dbf");
    table.copyStructure(same);
    Table copy;
    copy.open(same);
    copy.appendFrom(table, AppendMode::Raw);
    EXPECT_EQ(copy.recordCount(), 5u);
    for (quint32 r = 1; r <= 5; ++r)
        EXPECT_EQ(copy.rawRecord(r), table.rawRecord(r));
    Table byPos;
    Table::create(dir.file("pos.dbf"), {{"a", 'C', 6, 0}, {"b", 'C', 15, 0}});
    byPos.open(dir.file("pos.dbf"));
    byPos.appendFrom(table, AppendMode::ByPosition);
    byPos.go(1);
    EXPECT_EQ(byPos.text("b"), table.scan().text("call_name"));
}

TEST_F(TableEdit, ScanCursorsShareRecordsAndFireNoEvents)
{
    int scrolls = 0;
    table.onAfterScroll([&](Table&) { ++scrolls; });
    table.go(2);
    scrolls = 0;
    ScanCursor scan = table.scan();
    scan.setCurrentTag("armband");
    QStringList names;
    for (scan.first(); !scan.eof(); scan.next())
        names << scan.trimmed("call_name");
    EXPECT_EQ(names, QStringList({"Rex", "Ace", "Bo"}));
    EXPECT_EQ(scrolls, 0);
    EXPECT_EQ(table.recNo(), 2u);
    table.edit();
    table.setText("call_name", "Ace2");
    table.post();
    scan.go(2);
    EXPECT_EQ(scan.trimmed("call_name"), QString("Ace2"));
    table.close();
    EXPECT_THROW(scan.first(), Error);
}

TEST_F(TableEdit, GoingToRecordsThatDoNotExistIsRefused)
{
    table.go(2);
    EXPECT_FALSE(table.go(0));
    EXPECT_FALSE(table.go(quint32(-1)));
    EXPECT_FALSE(table.go(4));
    EXPECT_EQ(table.recNo(), 2u);
}

TEST_F(TableEdit, EndsBehaveLikeDbase)
{
    table.last();
    EXPECT_FALSE(table.eof());
    table.next();
    EXPECT_TRUE(table.eof());
    EXPECT_EQ(table.recNo(), 0u);
    EXPECT_EQ(table.text("call_name"), QString(15, ' '));
    table.prior();
    EXPECT_EQ(table.recNo(), 3u);
    table.first();
    EXPECT_FALSE(table.bof());
    table.prior();
    EXPECT_TRUE(table.bof());
    EXPECT_EQ(table.recNo(), 1u);
    QList<quint32> back;
    for (table.last(); !table.bof(); table.prior())
        back << table.recNo();
    EXPECT_EQ(back, QList<quint32>({3, 2, 1}));
}
