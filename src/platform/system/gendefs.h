#pragma once

#include "platform/system/inifile.h"

#include <QString>

// The readers and writers of gendefs.ini that several windows share. Every call reads
// or writes the file at once (see IniFile).
class GenDefs
{
public:
    // gendefs.ini of ProgramFolders::current().
    GenDefs();
    explicit GenDefs(const QString& path);

    IniFile& ini() { return m_ini; }
    const IniFile& ini() const { return m_ini; }

    QString clubName() const;
    QString clubAbbreviation() const;
    // ClubInfo/ClubID with every blank removed, as it goes into file names.
    QString clubId() const;

    struct Secretary
    {
        QString name;    // trimmed
        QString email;   // trimmed
        QString line;    // Name   Email   Phone   Address,  City, State  Zip
    };
    Secretary secretaryLine() const;

    QString lastOpenedShow() const;
    void setLastOpenedShow(const QString& path);

    bool enterAsTab() const;
    bool pgdnAsSave() const;
    int digits() const;

private:
    IniFile m_ini;
};
