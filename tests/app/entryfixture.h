#pragma once

#include "app/entrylogic.h"
#include "app/entrypanel.h"
#include "data/demodata.h"
#include "data/dmod.h"
#include "platform/system/inifile.h"
#include "platform/system/programfolders.h"
#include "platform/ui/boundcheckbox.h"
#include "platform/ui/tablehandlers.h"
#include "support/demofolder.h"
#include "support/scripteddialogs.h"
#include "support/tempfolder.h"

#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>
#include <memory>

// What a day of the test trial offers: levels "12345C" and runs per class code.
struct EntryDay
{
    QString levels;
    std::map<QString, int> runs;
};

// A demo program folder (copied from one seeded per test program), a trial in ShowDates
// with its empty entries file open as TzDbf1, and the entry panel over it.
class EntryFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { seeded.seed({.members = 30, .dogs = 60, .judges = 4, .clubs = 4}); }
    static void TearDownTestSuite() { seeded.drop(); }

    EntryFixture()
    {
        seeded.copyTo(dir.path());
        for (const char* f : {"shows", "userdata", "indexs", "catdata"})
            QDir().mkpath(path(f));
        folders = std::make_unique<ProgramFolders>(dir.path());
        ProgramFolders::setCurrent(*folders);
        dmod = std::make_unique<TDmod>(*folders);
    }

    // Trial 12 from Saturday 06/05/2004 with the given days; opens its entries file and
    // sets the panel up for it.
    void openTrial(const QList<EntryDay>& days, const QDate& first = QDate(2004, 6, 5))
    {
        dmod->OpenShowDates();
        xbase::Table& t = dmod->ShowDates;
        t.append();
        t.setInt("show_num", 12);
        t.setInt("num_days", days.size());
        t.setDate("show_date", first);
        for (int d = 1; d <= 4; ++d) {
            const QString p = QStringLiteral("d%1_").arg(d);
            const EntryDay offered = d <= days.size() ? days[d - 1] : EntryDay{};
            const char* levels[] = {"lev1", "lev2", "lev3", "lev4", "lev5", "levc"};
            for (int i = 0; i < 6; ++i)
                t.setBool(p + levels[i], offered.levels.contains(QLatin1Char("12345C"[i])));
            for (const auto& c : entry::entryClasses()) {
                const auto it = offered.runs.find(c.code);
                t.setInt(p + c.code, it == offered.runs.end() ? 0 : it->second);
            }
        }
        ASSERT_TRUE(t.post());
        dmod->OpenShowTemplate();
        entriesPath = path("shows/" + data::EntriesFileName(12, first.toString("MM/dd/yyyy")));
        dmod->Show.copyStructure(entriesPath);
        dmod->OpenTzDbf1(entriesPath);
        panel = std::make_unique<TEntryPanel>(dmod.get());
        ASSERT_TRUE(panel->setupForTrial(12));
    }

    // The usual two-day trial: Standard twice and Jumpers once on day 1, Snooker twice on
    // day 2; levels 1-5 and C on day 1, 1-3 on day 2.
    void openTwoDayTrial()
    {
        openTrial({{"12345C", {{"std", 2}, {"jump", 1}}}, {"123", {{"snok", 2}, {"std", 1}}}});
    }

    // Writes a record behind the panel's back (its handlers switched off meanwhile).
    quint32 addRecord(const std::map<QString, QString>& fields, bool deleted = false)
    {
        TableHandlersOff off(dmod->TzDbf1);
        xbase::Table& t = dmod->TzDbf1;
        t.append();
        for (const auto& [name, value] : fields)
            t.setText(name, value);
        t.setDeleted(deleted);
        EXPECT_TRUE(t.post());
        return t.recNo();
    }

    // row: 1 Standard ... 4 Snooker ... 7 Jumpers; level "1".."5","C"
    QToolButton* level(int day, int row, QChar lev) { return panel->speedButton(day, row, entry::levelPosition(lev)); }
    BoundCheckBox* box(int day, int row, int kind) { return panel->runBox(day, row, kind); }
    void click(QAbstractButton* b) { b->click(); }
    QString field(const QString& name) { return dmod->TzDbf1.text(name); }
    bool flag(const QString& name) { return dmod->TzDbf1.toBool(name); }
    xbase::Table::State state() { return dmod->TzDbf1.state(); }

    // Starts a new record with a regular height, as the ID look-up would leave it.
    void addWithHeight(int regular)
    {
        panel->AddBtnClick();
        panel->regularRadio(regular)->click();
        panel->setLoadedRegularHeight(regular);
    }

    void setPreference(const QString& key, bool on)
    {
        IniFile(folders->gendefs()).writeBool(QStringLiteral("Preferences"), key, on);
    }

    QString path(const QString& relative) const { return QDir(dir.path()).filePath(relative); }

    TempFolder dir;
    std::unique_ptr<ProgramFolders> folders;
    std::unique_ptr<TDmod> dmod;
    std::unique_ptr<TEntryPanel> panel;
    QString entriesPath;
    static inline SeededDemoFolder seeded;
};
