#pragma once

#include "entriesfixture.h"

#include "data/scramble.h"
#include "entries/idvalidation.h"

#include <QDir>
#include <QStringList>

#include <map>
#include <vector>

// Trial 12 (first day 06/05/2004) with small AGX member and dog files, written through
// the table layer and scrambled like the real ones, and an empty MyMembers.
//
// Members: 00012 Ann Archer, 00100 Bob Baker, 00300 Cy Cole, 45678 Di Dunn (the highest);
// 00200 is a gap inside the range.
// Dogs:    00012-03 Zip (P-card 16, legal age passed), 45678-01 Dash (no breed, no P-card,
//          blank legal age), 00100-01 Pup (legal age 07/01/2004, after the trial),
//          00100-02 Moth (legal age stored "20050000"), 00300-01 Rex (P-card 24).
class AgxFixture : public EntriesFixture
{
protected:
    using Fields = std::map<QString, QString>;

    AgxFixture()
    {
        QDir().mkpath(dir.file(QStringLiteral("agxdata")));
        writeScrambled(data::TableId::Members,
                       {
                           member("00012", "Ann", "Archer", "12 Oak Lane", "Springfield", "IL", "62701", "217-555-0101",
                                  "ann@example.com"),
                           member("00100", "Bob", "Baker", "4 Elm Street", "Dayton", "OH", "45402", "937-555-0102",
                                  "bob@example.com"),
                           member("00300", "Cy", "Cole", "9 Pine Road", "Eugene", "OR", "97401", "541-555-0103",
                                  "cy@example.com"),
                           member("45678", "Di", "Dunn", "1 Bay View", "Halifax", "NS", "B3H 1A1", "902-555-0104",
                                  "di@example.com"),
                       });
        writeScrambled(data::TableId::DogMaster,
                       {
                           dog("00012", "03", "Zip", "Border Collie", "20000101", "16", "20010401"),
                           dog("45678", "01", "Dash", "", "20030101", "", ""),
                           dog("00100", "01", "Pup", "Sheltie", "20030401", "12", "20040701"),
                           dog("00100", "02", "Moth", "Poodle", "20030401", "8", "20050000"),
                           dog("00300", "01", "Rex", "Boxer", "19990101", "24", "20000401"),
                       });
        dmod->OpenMembers();
        dmod->OpenDogMaster();
        dmod->OpenMyMembers();
        dmod->MaxMemberID = QStringLiteral("45678");
    }

    static Fields member(const char* id, const char* first, const char* last, const char* address, const char* city,
                         const char* state, const char* zip, const char* phone, const char* email)
    {
        return {{"member_id", id}, {"prim_first", first}, {"prim_last", last}, {"address", address},
                {"city", city},    {"state", state},      {"zip", zip},        {"country", "USA"},
                {"phone", phone},  {"email", email}};
    }

    // Dates are stored as their eight characters, so "20050000" stays what AGX wrote.
    static Fields dog(const char* memberId, const char* dogId, const char* callName, const char* breed,
                      const char* birth, const char* pcard, const char* legalAge)
    {
        return {{"member_id", memberId}, {"dog_id", dogId},      {"call_name", callName},
                {"breed", breed},        {"@birthdate", birth}, {"perm_card", pcard},
                {"@legal_age", legalAge}};
    }

    // Fields named "@name" are stored raw.
    void writeScrambled(data::TableId id, const std::vector<Fields>& rows)
    {
        const QString path = dmod->TablePath(id);
        xbase::Table::create(path, data::tableDef(id).fields);
        xbase::Table t;
        t.open(path);
        t.setReadCallback(data::UnscrambleRecord);
        t.setWriteCallback(data::ScrambleRecord);
        for (const Fields& row : rows) {
            t.append();
            for (const auto& [name, value] : row) {
                if (name.startsWith(QLatin1Char('@')))
                    t.setRawText(name.mid(1), value);
                else
                    t.setText(name, value);
            }
            ASSERT_TRUE(t.post());
        }
        t.close();
    }

    // A MyMembers row of the secretary's own.
    void addMyMember(const Fields& fields)
    {
        xbase::Table& t = dmod->MyMembers;
        t.append();
        for (const auto& [name, value] : fields)
            t.setText(name, value);
        ASSERT_TRUE(t.post());
    }

    int rows(xbase::Table& t) { return int(t.recordCount()); }
};
