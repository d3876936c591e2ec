#pragma once

#include "data/dmod.h"
#include "platform/system/programfolders.h"
#include "setup/levelgroups.h"
#include "support/tempfolder.h"

#include <QDate>
#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>
#include <memory>

// A program folder with just what the set-up windows touch: ShowDates, the trial's
// folder and the work tables, and a data module over it.
struct DaySpec
{
    QString levels;                 // "12345C"
    std::map<QString, int> runs;    // class code -> runs, e.g. {"std", 2}
};

class SetupFixture : public ::testing::Test
{
protected:
    SetupFixture()
    {
        for (const char* folder : {"userdata", "pgmdata", "indexs", "shows", "catdata"})
            QDir().mkpath(QDir(dir.path()).filePath(folder));
        folders = std::make_unique<ProgramFolders>(dir.path());
        ProgramFolders::setCurrent(*folders);
        dmod = std::make_unique<TDmod>(*folders);
        dmod->OpenShowDates();
    }

    // Writes (or rewrites) the trial's ShowDates row and makes its folder.
    void defineTrial(int number, const QDate& first, const QList<DaySpec>& days)
    {
        xbase::Table& t = dmod->ShowDates;
        t.setCurrentTag(QStringLiteral("SHOWNUM"));
        if (t.seek(data::ShowDatesKey(number)))
            t.edit();
        else
            t.append();
        t.setInt("show_num", number);
        t.setInt("num_days", days.size());
        t.setDate("show_date", first);
        for (int d = 1; d <= 4; ++d) {
            const QString p = QStringLiteral("d%1_").arg(d);
            const DaySpec offered = d <= days.size() ? days[d - 1] : DaySpec{};
            const char* levels[] = {"lev1", "lev2", "lev3", "lev4", "lev5", "levc"};
            for (int i = 0; i < 6; ++i)
                t.setBool(p + levels[i], offered.levels.contains(QLatin1Char("12345C"[i])));
            for (const char* code : {"std", "clrs", "wild", "jack", "snok", "full", "jump"}) {
                const auto it = offered.runs.find(QString::fromLatin1(code));
                t.setInt(p + code, it == offered.runs.end() ? 0 : it->second);
            }
        }
        ASSERT_TRUE(t.post());
        QDir().mkpath(QDir(dir.path()).filePath("catdata/cat" + data::TrialNumberText(number)));
    }

    // Types groups into the LevGroup row of key (day + run + class), as the grid stores them.
    void setGroups(const QString& key, const QStringList& groups)
    {
        xbase::Table& t = dmod->LevGroup;
        t.setCurrentTag(QStringLiteral("LEVKEY"));
        ASSERT_TRUE(t.seek(key)) << key.toStdString();
        const char* fields[] = {"group_a", "group_b", "group_c", "group_d"};
        for (int g = 0; g < 4; ++g)
            t.setText(fields[g], g < groups.size() ? groups[g] : QString());
        ASSERT_TRUE(t.post());
    }

    // Trial 12 from 06/05/2004: every day Standard run 1 grouped 1, 2, 3, 45C and
    // Jumpers run 1 grouped 12, 345C.
    void groupedTrial(int days = 1)
    {
        QList<DaySpec> offered;
        for (int d = 0; d < days; ++d)
            offered.push_back({"12345C", {{"std", 1}, {"jump", 1}}});
        defineTrial(12, QDate(2004, 6, 5), offered);
        setup::buildLevGroup(*dmod, *setup::findTrial(*dmod, 12));
        for (int d = 1; d <= days; ++d) {
            setGroups(QString::number(d) + "1Standard", {"1", "2", "3", "45C"});
            setGroups(QString::number(d) + "1Jumpers", {"12", "345C"});
        }
    }

    QString path(const QString& relative) const { return QDir(dir.path()).filePath(relative); }

    TempFolder dir;
    std::unique_ptr<ProgramFolders> folders;
    std::unique_ptr<TDmod> dmod;
};
