#include "platform/system/gendefs.h"

#include "platform/system/programfolders.h"

namespace {
const QString kUnknown = QStringLiteral("Unknown");
}

GenDefs::GenDefs() : m_ini(ProgramFolders::current().gendefs()) {}

GenDefs::GenDefs(const QString& path) : m_ini(path) {}

QString GenDefs::clubName() const
{
    return m_ini.readString(QStringLiteral("ClubInfo"), QStringLiteral("ClubName"), kUnknown);
}

QString GenDefs::clubAbbreviation() const
{
    return m_ini.readString(QStringLiteral("ClubInfo"), QStringLiteral("ClubAbbreviation"), kUnknown);
}

QString GenDefs::clubId() const
{
    QString id = m_ini.readString(QStringLiteral("ClubInfo"), QStringLiteral("ClubID"), kUnknown);
    id.remove(QLatin1Char(' '));
    return id;
}

GenDefs::Secretary GenDefs::secretaryLine() const
{
    const QString section = QStringLiteral("SecretaryInfo");
    auto read = [&](const char* key) { return m_ini.readString(section, QLatin1String(key), kUnknown).trimmed(); };
    Secretary s;
    s.name = read("Name");
    s.email = read("Email");
    s.line = s.name + QLatin1String("   ") + s.email + QLatin1String("   ") + read("Phone") + QLatin1String("   ")
        + read("Address") + QLatin1String(",  ") + read("City") + QLatin1String(", ") + read("State")
        + QLatin1String("  ") + read("Zip");
    return s;
}

QString GenDefs::lastOpenedShow() const
{
    return m_ini.readString(QStringLiteral("LastShow"), QStringLiteral("LastOpenedShow"), kUnknown);
}

void GenDefs::setLastOpenedShow(const QString& path)
{
    m_ini.writeString(QStringLiteral("LastShow"), QStringLiteral("LastOpenedShow"), path);
}

bool GenDefs::enterAsTab() const
{
    return m_ini.readBool(QStringLiteral("Preferences"), QStringLiteral("EnterAsTab"), false);
}

bool GenDefs::pgdnAsSave() const
{
    return m_ini.readBool(QStringLiteral("Preferences"), QStringLiteral("PgdnAsSave"), false);
}

int GenDefs::digits() const
{
    return m_ini.readInteger(QStringLiteral("Preferences"), QStringLiteral("Digits"), 2);
}
