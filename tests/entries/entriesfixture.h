#pragma once

#include "data/dmod.h"
#include "data/tables.h"
#include "platform/system/inifile.h"
#include "platform/system/programfolders.h"
#include "support/tempfolder.h"

#include <QDir>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <utility>

// A program folder with trial 12 current: an empty entries file opened as TzDbf1, and
// (on request) the trial's results table.
class EntriesFixture : public ::testing::Test
{
protected:
    using Row = std::initializer_list<std::pair<const char*, QString>>;

    EntriesFixture()
    {
        ProgramFolders::setCurrent(ProgramFolders(dir.path()));
        for (const char* folder : {"shows", "indexs", "userdata", "catdata/cat00012"})
            QDir().mkpath(dir.file(QString::fromLatin1(folder)));
        dmod = std::make_unique<TDmod>(ProgramFolders(dir.path()));
        dmod->SetTrialDateKeyFromText(QStringLiteral("06/05/2004"));
        const QString entries = dir.file(QStringLiteral("shows/") + data::EntriesFileName(12, QStringLiteral("06/05/2004")));
        xbase::Table::create(entries, data::tableDef(data::TableId::TzDbf1).fields);
        dmod->OpenTzDbf1(entries);
    }

    xbase::Table& entries() { return dmod->TzDbf1; }

    void setDigits(int digits)
    {
        IniFile(ProgramFolders::current().gendefs()).writeInteger(QStringLiteral("Preferences"), QStringLiteral("Digits"), digits);
    }

    // One entry; returns its record number.
    quint32 addEntry(Row row, bool deleted = false)
    {
        xbase::Table& t = entries();
        t.append();
        for (const auto& [field, value] : row)
            t.setText(field, value);
        EXPECT_TRUE(t.post());
        const quint32 rec = t.recNo();
        if (deleted)
            t.setDeleted(true);
        return rec;
    }

    // A dog of category cat ("R", "V", "T", "S" or blank) with the heights given.
    quint32 addDog(const QString& name, const QString& cat, const QString& reg, const QString& second = {},
                   const QString& armband = {}, bool deleted = false)
    {
        const QString srt = cat == QLatin1String("S") ? QStringLiteral("2")
                          : (cat == QLatin1String("V") || cat == QLatin1String("T")) ? QStringLiteral("1")
                                                                                         : QStringLiteral("0");
        return addEntry({{"call_name", name},
                         {"ht_cat", cat},
                         {"reg_ht", reg},
                         {"vet_ht", cat == QLatin1String("S") ? QString() : second},
                         {"spec_ht", cat == QLatin1String("S") ? second : QString()},
                         {"srt_ht", srt},
                         {"armband", armband}},
                        deleted);
    }

    QString field(quint32 rec, const char* name)
    {
        xbase::ScanCursor scan = entries().scan();
        scan.go(rec);
        return scan.text(name);
    }
    QString armband(quint32 rec) { return field(rec, "armband"); }
    QString gateKey(quint32 rec) { return field(rec, "gatekey"); }

    xbase::Table& openResults()
    {
        const QString path = dmod->TablePath(data::TableId::Results, QStringLiteral("00012"));
        xbase::Table::create(path, data::tableDef(data::TableId::Results).fields);
        dmod->OpenResults(QStringLiteral("00012"));
        return dmod->Results;
    }

    TempFolder dir;
    std::unique_ptr<TDmod> dmod;
};
