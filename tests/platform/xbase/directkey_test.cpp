// Keys made straight from the record bytes (Expression::writeKey) against the general
// evaluator (Expression::appendKey), and tag order against a plain sort of the keys.

#include "xbasetest.h"

#include <algorithm>

using namespace xbase;
using namespace xbasetest;

namespace {

const FieldList kFields = {
    {"last", 'C', 12, 0}, {"first", 'C', 10, 0}, {"city", 'C', 11, 0}, {"State", 'C', 4, 0},
    {"code", 'C', 9, 0},  {"born", 'D', 8, 0},   {"n", 'N', 6, 2},     {"ok", 'L', 1, 0},
};

// One record buffer (deletion byte first) from field values given as code-page bytes.
QByteArray record(char deleted, const QList<QByteArray>& values)
{
    QByteArray buf(1, deleted);
    for (int i = 0; i < kFields.size(); ++i)
        buf += values.value(i).leftJustified(kFields[i].type == 'D' ? 8 : kFields[i].width, ' ', true);
    return buf;
}

// Records with accented letters (bytes of CP437/CP850), blanks in every place, lower case
// ASCII across the eight-byte steps, a deleted record and one all blank.
QList<QByteArray> records()
{
    return {
        record(' ', {"M\x81ller", "Zo\x89", "K\x94ln", "nrw", "  ab c", "20240131", "  1.50", "T"}),
        record('*', {"o'brien", "\x82lise", "san jos\x82", "ca", "x", "19991231", "-12.25", "F"}),
        record(' ', {"", "Ann", "", "", "", "", "", ""}),
        record(' ', {"lowercaseabc", "abcdefghij", "zzzzzzzzzzz", "wxyz", "123456789", "20050000", "999.99", "Y"}),
        record(' ', {"  lead", "trail  ", " mid dle ", " t ", "   ", "        ", "   0", "?"}),
        record(' ', {"\xA4\xA5\x87\x80\x90\x8E", "\xE1\xED", "\xC7\xD0", "\xFF\xFF", "\x85\x8A", "20000101", "1", "t"}),
        record('*', {}),
    };
}

struct ExpressionCase
{
    const char* text;
    bool direct;   // expected to take the direct path
};

const ExpressionCase kExpressions[] = {
    {"last", true},
    {"upper(last)", true},
    {"upper(last - first)", true},
    {"upper(first - last)", true},
    {"upper(city)+upper(last+first)", true},
    {"upper(State+city)+upper(last+first)", true},
    {"last + first", true},
    {"born", true},
    {"dtos(born)", true},
    {"upper(last)+dtos(born)", true},
    {"trim(last)+first", true},
    {"rtrim(last)+'/'+first", true},
    {"ltrim(code)+last", true},
    {"alltrim(code)+'|'+alltrim(city)", true},
    {"upper(trim(last) - first)", true},
    {"'x  ' + (last - first)", true},
    {"first + (last - city) + State", true},
    {"last - first - city", true},
    {"(last - first) + city", true},
    {"upper('abé' + last)", true},
    {"upper(ltrim(city) - code)", true},
    {"trim(first) + trim(last) - city", true},
    // General evaluator only.
    {"str(n, 7, 2) + last", false},
    {"substr(last, 2, 3) + first", false},
    {"lower(last)", false},
    {"iif(deleted(), 'D', 'L') + last", false},
    {"left(city, 4)", false},
    {"n", false},
    {"ok", false},
    {"recno()", false},
};

} // namespace

TEST(DirectKey, EqualsTheGeneralEvaluatorOnEveryRecord)
{
    for (const CodePage::Id page : {CodePage::Cp437, CodePage::Cp850, CodePage::Cp1252}) {
        const CodePage& cp = CodePage::get(page);
        for (const ExpressionCase& c : kExpressions) {
            SCOPED_TRACE(QStringLiteral("%1 in code page %2").arg(QLatin1String(c.text)).arg(cp.number()).toStdString());
            const Expression e = Expression::compile(QString::fromUtf8(c.text), kFields, cp);
            EXPECT_EQ(e.hasDirectKey(), c.direct);
            quint32 recNo = 0;
            for (const QByteArray& buf : records()) {
                ++recNo;
                QByteArray general;
                e.appendKey(buf.constData(), recNo, general);
                QByteArray direct(e.width() + 4, '#');   // guard bytes after the key
                e.writeKey(buf.constData(), recNo, direct.data());
                EXPECT_EQ(direct.left(e.width()), general) << "record " << recNo;
                EXPECT_EQ(direct.mid(e.width()), QByteArray("####"));
            }
        }
    }
}

TEST(DirectKey, BlanksMovedByMinusAreOnlyThoseOfItsLeftOperand)
{
    const Expression e = Expression::compile("'x  ' + (last - first)", kFields);
    const QByteArray buf = record(' ', {"", "Ann"});
    QByteArray general;
    e.appendKey(buf.constData(), 1, general);
    EXPECT_EQ(general, QByteArray("x  Ann") + QByteArray(19, ' '));
    const Expression t = Expression::compile("'ab  ' + trim(city) + 'c'", kFields);
    general.clear();
    t.appendKey(buf.constData(), 1, general);
    EXPECT_EQ(general, QByteArray("ab  c") + QByteArray(11, ' '));
}

// A tag over records whose keys share long beginnings and tie often must walk exactly as a
// sort of (key bytes, record number) orders them, both ways.
TEST(DirectKey, TagOrderEqualsASortOfTheKeys)
{
    TempFolder dir;
    const QString path = dir.file("many.dbf");
    Table::create(path, kFields);
    Table t;
    t.open(path, {.flushAfterPost = false});
    const char* const states[] = {"TX", "", "ON", "tx"};
    const char* const cities[] = {"Springfield", "Salem", "", "salem"};
    const char* const lasts[] = {"Smith", "M\xFCller", "Smith Jones", "", "smith"};
    const int n = 700;   // enough for the counting sort as well as the small-run sort
    for (int i = 0; i < n; ++i) {
        t.append();
        t.setText("State", QLatin1String(states[i % 4]));
        t.setText("city", QLatin1String(cities[(i / 4) % 4]));
        t.setText("last", QString::fromLatin1(lasts[(i / 16) % 5]));
        t.setText("first", i % 7 == 0 ? QString() : QString::number(i % 3));
        t.post();
        if (i % 13 == 0)
            t.setDeleted(true);
    }
    const QString keys[] = {"upper(State+city)+upper(last+first)", "upper(last - first)", "State"};
    for (const QString& k : keys) {
        SCOPED_TRACE(k.toStdString());
        t.setTags({{"UP", k, false}, {"DOWN", k, true}});
        const Expression e = Expression::compile(k, t.fields(), t.codePage());
        std::vector<std::pair<QByteArray, quint32>> expected;
        for (t.setCurrentTag(QString()), t.first(); !t.eof(); t.next())
            expected.emplace_back(e.key(t), t.recNo());
        std::sort(expected.begin(), expected.end());
        QList<quint32> ascending, descending;
        for (const auto& [key, rec] : expected) {
            ascending << rec;
            descending.prepend(rec);
        }
        t.setCurrentTag("UP");
        EXPECT_EQ(walk(t), ascending);
        t.setCurrentTag("DOWN");
        EXPECT_EQ(walk(t), descending);
    }
}
