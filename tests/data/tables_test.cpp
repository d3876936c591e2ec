#include "data/scramble.h"
#include "data/tables.h"
#include "platform/xbase/expression.h"
#include "platform/xbase/table.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <set>

using data::TableId;

namespace {

// "NAME C 5.0" per field, for readable comparisons.
QStringList describe(const xbase::FieldList& fields)
{
    QStringList out;
    for (const auto& f : fields)
        out << QStringLiteral("%1 %2 %3.%4").arg(f.name.toUpper(), QChar(f.type)).arg(f.width).arg(f.decimals);
    return out;
}

} // namespace

TEST(Scramble, RecordCallbacksShiftEveryByteAndRoundTrip)
{
    QByteArray bytes("AZ az 09\x00\xD0\xFF", 11);
    const QByteArray original = bytes;
    data::ScrambleRecord(bytes.data(), bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        EXPECT_EQ(quint8(bytes[i]), quint8((quint8(original[i]) + data::kScrambleKey) % 256)) << i;
    data::UnscrambleRecord(bytes.data(), bytes.size());
    EXPECT_EQ(bytes, original);
}

TEST(Scramble, UnscrambleTextUndoesTheWriteShiftAndDecodesTheOemPage)
{
    // "Zoë" in code page 437 is 5A 6F 89.
    QByteArray stored("Zo\x89  ", 5);
    data::ScrambleRecord(stored.data(), stored.size());
    EXPECT_EQ(data::UnscrambleText(stored), QStringLiteral("Zoë  "));
    EXPECT_EQ(data::UnscrambleBytes(stored), QByteArray("Zo\x89  ", 5));
}

TEST(TableDefs, EntriesLayoutsHaveTheRecordLengthsThatIdentifyThem)
{
    const auto& current = data::tableDef(TableId::Show).fields;
    EXPECT_EQ(data::recordLength(current), 524);
    EXPECT_EQ(current.size(), 141);
    EXPECT_EQ(data::fieldIndex(current, "gatekey"), 140);   // field 141
    EXPECT_EQ(data::recordLength(data::tableDef(TableId::ShowOld).fields), 520);
    EXPECT_EQ(data::tableDef(TableId::TzDbf1).fields, current);
    EXPECT_EQ(data::fieldIndex(current, "d1_std_lev"), 27);
    EXPECT_EQ(data::fieldIndex(current, "d1_clrs_lv"), 31);
    EXPECT_EQ(data::fieldIndex(current, "d4_jump_lv"), 135);
}

TEST(TableDefs, FieldNumbersOtherPartsReadRaw)
{
    const auto& results = data::tableDef(TableId::Results).fields;
    ASSERT_EQ(results.size(), 35);
    EXPECT_EQ(results[34].name, "autolink");
    EXPECT_EQ(data::tableDef(TableId::Vresults).fields, results);
    EXPECT_EQ(data::tableDef(TableId::Vsct).fields.size(), 16);
    EXPECT_EQ(data::tableDef(TableId::Vsct).fields, data::tableDef(TableId::SCTInfo).fields);
    EXPECT_EQ(data::tableDef(TableId::vWorker1).fields.size(), 52);
    // ShowDates: the run counts list Jackpot before Snooker.
    const auto& dates = data::tableDef(TableId::ShowDates).fields;
    EXPECT_EQ(dates.size(), 3 + 4 * 13 + 4);
    EXPECT_EQ(dates[3 + 6 + 3].name, "d1_jack");
    EXPECT_EQ(dates[3 + 6 + 4].name, "d1_snok");
    EXPECT_EQ(dates.back().name, "d4_levs");
}

TEST(TableDefs, EveryDefinitionIsConsistent)
{
    std::set<std::pair<int, QString>> files;
    for (const data::TableDef& def : data::allTableDefs()) {
        SCOPED_TRACE(def.object.toStdString());
        std::set<QString> fieldNames;
        for (const auto& f : def.fields) {
            EXPECT_LE(f.name.size(), 10);
            EXPECT_TRUE(fieldNames.insert(f.name.toLower()).second) << f.name.toStdString();
        }
        std::set<QString> tagNames;
        for (const auto& tag : def.tags) {
            EXPECT_TRUE(tagNames.insert(tag.name.toUpper()).second);
            if (!def.fields.isEmpty()) {
                EXPECT_NO_THROW(xbase::Expression::compile(tag.expression, def.fields)) << tag.expression.toStdString();
            }
        }
        if (!def.file.isEmpty()) {
            EXPECT_TRUE(files.insert({int(def.folder), def.file.toLower()}).second);
        }
        if (!def.currentTag.isEmpty()) {
            EXPECT_TRUE(tagNames.count(def.currentTag.toUpper())) << def.currentTag.toStdString();
        } else {
            EXPECT_TRUE(def.tags.isEmpty());
        }
    }
}

TEST(TableDefs, HitInfoRankingTagsAreDescendingAndEndInTheRecordNumber)
{
    const auto& tags = data::tableDef(TableId::HITinfo).tags;
    ASSERT_EQ(tags.size(), 20);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(tags[i].descending) << tags[i].name.toStdString();
    for (int i = 3; i < tags.size(); ++i) {
        EXPECT_TRUE(tags[i].descending) << tags[i].name.toStdString();
        EXPECT_TRUE(tags[i].expression.endsWith("+str(recno(),5)"));
    }
    EXPECT_EQ(tags[3].name, "Std1");
    EXPECT_EQ(tags[3].expression, "htsrt+d1_std_lev+str(d1_std_pts,5)+str(d1_std_per,9,4)+str(recno(),5)");
    EXPECT_EQ(tags.back().name, "StateCum");
}

TEST(TableDefs, CreatedTablesMatchTheirFieldLists)
{
    TempFolder dir;
    for (const data::TableDef& def : data::allTableDefs()) {
        if (def.fields.isEmpty())
            continue;
        SCOPED_TRACE(def.object.toStdString());
        const QString path = dir.file(def.object + QString::number(int(def.id)) + ".dbf");
        xbase::Table::create(path, def.fields);
        EXPECT_EQ(xbase::Table::readRecordLength(path), data::recordLength(def.fields));
        xbase::Table table;
        table.setTags(def.tags);
        xbase::OpenOptions options;
        options.currentTag = def.currentTag;
        table.open(path, options);
        EXPECT_EQ(describe(table.fields()), describe(def.fields));
        EXPECT_EQ(table.currentTag(), def.currentTag);
    }
}
