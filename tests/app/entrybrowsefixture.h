#pragma once

#include "data/dmod.h"
#include "data/tables.h"
#include "platform/system/inifile.h"
#include "platform/system/programfolders.h"
#include "support/tempfolder.h"

#include <QDir>

#include <gtest/gtest.h>

#include <memory>

// A program folder with trial 12's entries file open as TzDbf1 and four entries in it,
// the third one marked deleted:
//   1 Smith, Ann      00012-03  armband 1201  Rex
//   2 Smithers, Bob   01234-01  armband 1602  Ace
//   3 Adams, Cy       00500-02  armband 0801  Zed   (deleted)
//   4 Jones, Dee      00012-01  armband 2001  Max
class EntryBrowseFixture : public ::testing::Test
{
protected:
    EntryBrowseFixture()
    {
        for (const char* f : {"shows", "userdata", "indexs", "catdata", "agxdata", "pgmdata"})
            QDir().mkpath(path(f));
        folders = std::make_unique<ProgramFolders>(dir.path());
        ProgramFolders::setCurrent(*folders);
        dmod = std::make_unique<TDmod>(*folders);
        entriesPath = path("shows/" + data::EntriesFileName(12, QStringLiteral("06/05/2004")));
        xbase::Table::create(entriesPath, data::tableDef(data::TableId::Show).fields);
        dmod->OpenTzDbf1(entriesPath);
        add("Smith", "Ann", "00012-03", "1201", "Rex");
        add("Smithers", "Bob", "01234-01", "1602", "Ace");
        add("Adams", "Cy", "00500-02", "0801", "Zed", true);
        add("Jones", "Dee", "00012-01", "2001", "Max");
        entries().setCurrentTag(QStringLiteral("NAME"));
        entries().first();
    }

    void add(const char* last, const char* first, const char* id, const char* armband, const char* callName,
             bool deleted = false)
    {
        xbase::Table& t = entries();
        t.append();
        t.setText("last", QString::fromLatin1(last));
        t.setText("first", QString::fromLatin1(first));
        t.setText("mem_dog_id", QString::fromLatin1(id));
        t.setText("armband", QString::fromLatin1(armband));
        t.setText("call_name", QString::fromLatin1(callName));
        t.setInt("show_num", 12);
        t.setDeleted(deleted);
        ASSERT_TRUE(t.post());
    }

    xbase::Table& entries() { return dmod->TzDbf1; }
    IniFile ini() const { return IniFile(folders->gendefs()); }
    QString path(const QString& relative) const { return QDir(dir.path()).filePath(relative); }

    TempFolder dir;
    std::unique_ptr<ProgramFolders> folders;
    std::unique_ptr<TDmod> dmod;
    QString entriesPath;
};
