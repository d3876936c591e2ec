// Every index key and label expression the program uses, evaluated on records whose values
// were chosen by hand, and the function semantics the keys depend on.

#include "xbasetest.h"

#include <QDate>

using namespace xbase;
using namespace xbasetest;

namespace {

QString pad(const QString& s, int width)
{
    return s.leftJustified(width, QLatin1Char(' '), true);
}

QString blanks(int n)
{
    return QString(n, QLatin1Char(' '));
}

struct KeyCase
{
    const char* tag;
    const char* expression;
    QString expected;
};

// A table with the given fields and one record per entry of rows (values by field name);
// expressions are evaluated on its last record.
class Fixture
{
public:
    Fixture(const TempFolder& dir, const QString& name, const FieldList& fields,
            const QList<QMap<QString, QString>>& rows)
    {
        const QString path = dir.file(name + ".dbf");
        Table::create(path, fields);
        table.open(path, {.flushAfterPost = false});
        for (const auto& row : rows) {
            table.append();
            for (auto it = row.begin(); it != row.end(); ++it)
                table.setText(it.key(), it.value());
            table.post();
        }
    }

    void check(const QList<KeyCase>& cases)
    {
        for (const KeyCase& c : cases) {
            SCOPED_TRACE(c.tag);
            const Expression e = Expression::compile(c.expression, table.fields(), table.codePage());
            EXPECT_EQ(e.width(), c.expected.size()) << c.expression;
            EXPECT_EQ(table.codePage().decode(e.key(table)), c.expected) << c.expression;
        }
    }

    Table table;
};

} // namespace

TEST(Expression, EntriesKeys)
{
    TempFolder dir;
    Fixture f(dir, "entries",
              {{"last", 'C', 25, 0}, {"first", 'C', 25, 0}, {"mem_dog_id", 'C', 8, 0}, {"armband", 'C', 6, 0},
               {"reg_ht", 'C', 2, 0}, {"srt_ht", 'C', 1, 0}, {"call_name", 'C', 15, 0}, {"gatekey", 'C', 4, 0}},
              {{{"last", QString::fromUtf8("Müller")}, {"first", QString::fromUtf8("Zoë")}, {"mem_dog_id", "01234-02"},
                {"armband", "   101"}, {"reg_ht", " 8"}, {"srt_ht", "1"}, {"call_name", "Rex"}, {"gatekey", "a1b2"}}});
    // ü has the upper case Ü in code page 437, ë has none and stays.
    f.check({
        {"NAME", "upper(last - first)", QString::fromUtf8("MÜLLERZOë") + blanks(41)},
        {"IDKEY", "mem_dog_id", "01234-02"},
        {"ARMBAND", "armband", "   101"},
        {"SORTHTA", "reg_ht+srt_ht", " 81"},
        {"namearm", "upper(last+first)+armband", QString::fromUtf8("MÜLLER") + blanks(19) + QString::fromUtf8("ZOë") + blanks(22) + "   101"},
        {"CALLNAM", "upper(call_name)+armband", "REX" + blanks(12) + "   101"},
        {"GATEKEY", "upper(gatekey)+armband", "A1B2   101"},
    });
}

TEST(Expression, ReferenceTableKeys)
{
    TempFolder dir;
    Fixture dogs(dir, "dogs", {{"member_id", 'C', 5, 0}, {"dog_id", 'C', 2, 0}, {"call_name", 'C', 15, 0}},
                 {{{"member_id", "01234"}, {"dog_id", "02"}, {"call_name", "fido"}}});
    dogs.check({
        {"IDKEY", "member_id + dog_id", "0123402"},
        {"CALLNAME", "upper(call_name)", "FIDO" + blanks(11)},
        {"Updates IDKEY", "member_id+dog_id", "0123402"},
    });

    Fixture members(dir, "members",
                    {{"member_id", 'C', 5, 0}, {"prim_first", 'C', 25, 0}, {"prim_last", 'C', 25, 0},
                     {"city", 'C', 30, 0}, {"state", 'C', 20, 0}, {"zip", 'C', 10, 0}},
                    {{{"member_id", "00042"}, {"prim_first", "Ann"}, {"prim_last", "de la Cruz"}, {"city", "St. Paul"},
                      {"state", "mn"}, {"zip", "55101"}}});
    const QString lastFirst = "DE LA CRUZ" + blanks(15) + "ANN" + blanks(22);
    members.check({
        {"NAME", "upper(prim_last - prim_first)", "DE LA CRUZANN" + blanks(37)},
        {"MEMID", "member_id", "00042"},
        {"FIRST", "upper(prim_first - prim_last)", "ANNDE LA CRUZ" + blanks(37)},
        {"CITY", "upper(city)+upper(prim_last+prim_first)", "ST. PAUL" + blanks(22) + lastFirst},
        {"STATE", "upper(State+city)+upper(prim_last+prim_first)", "MN" + blanks(18) + "ST. PAUL" + blanks(22) + lastFirst},
        {"ZIP", "upper(zip)+upper(prim_last+prim_first)", "55101" + blanks(5) + lastFirst},
    });

    Fixture judges(dir, "judges",
                   {{"jfirst", 'C', 25, 0}, {"jlast", 'C', 25, 0}, {"jcity", 'C', 30, 0}, {"jstate", 'C', 20, 0}},
                   {{{"jfirst", "Lee"}, {"jlast", "Park"}, {"jcity", "Austin"}, {"jstate", "TX"}}});
    judges.check({
        {"NAME", "upper(jlast - jfirst)", "PARKLEE" + blanks(43)},
        {"STATE", "jstate+jcity+jlast+jfirst", "TX" + blanks(18) + "Austin" + blanks(24) + "Park" + blanks(21) + "Lee" + blanks(22)},
    });

    Fixture breeds(dir, "breeds", {{"breed_name", 'C', 40, 0}}, {{{"breed_name", "Border Collie"}}});
    breeds.check({{"BREEDNAME", "upper(breed_name)", "BORDER COLLIE" + blanks(27)}});

    Fixture dates(dir, "dates", {{"show_num", 'N', 5, 0}, {"show_date", 'D', 8, 0}},
                  {{{"show_num", "12"}, {"show_date", "06/05/2004"}}});
    dates.check({{"SHOWNUM", "str(show_num,5)", "   12"}, {"SHOWDATE", "dtos(show_date)", "20040605"}});
    dates.table.append();
    dates.table.post();
    dates.check({{"SHOWNUM", "str(show_num,5)", "    0"}, {"SHOWDATE blank", "dtos(show_date)", blanks(8)}});

    Fixture mail(dir, "mail", {{"first", 'C', 25, 0}, {"last", 'C', 20, 0}, {"zip", 'C', 10, 0}},
                 {{{"first", QString::fromUtf8("Zoë")}, {"last", "Smith"}, {"zip", "12345-6789"}}});
    mail.check({
        {"NAME", "upper(last - first)", QString::fromUtf8("SMITHZOë") + blanks(37)},
        {"ZIP", "zip+upper(last - first)", QString::fromUtf8("12345-6789SMITHZOë") + blanks(37)},
    });
}

TEST(Expression, TrialTableKeys)
{
    TempFolder dir;
    Fixture f(dir, "trial",
              {{"day_num", 'C', 1, 0}, {"round", 'C', 1, 0}, {"classname", 'C', 15, 0}, {"srt_key", 'C', 2, 0},
               {"ring", 'C', 1, 0}, {"jump_ht", 'C', 2, 0}, {"ht_key", 'C', 1, 0}, {"judge", 'C', 20, 0},
               {"levels", 'C', 7, 0}, {"gatekey", 'C', 4, 0}, {"armband", 'C', 6, 0}, {"htcat_srt", 'C', 1, 0},
               {"level", 'C', 1, 0}, {"class_ht", 'C', 2, 0}, {"mem_dog_id", 'C', 8, 0}, {"srt_q", 'C', 1, 0},
               {"srt_score", 'C', 3, 0}, {"srt_time", 'C', 6, 0}, {"day", 'C', 1, 0}, {"runkey", 'C', 4, 0},
               {"htkey", 'C', 1, 0}, {"fullarm", 'C', 10, 0}},
              {{{"day_num", "1"}, {"round", "2"}, {"classname", "Jumpers"}, {"srt_key", " 3"}, {"ring", "2"},
                {"jump_ht", " 8"}, {"ht_key", "1"}, {"judge", "JSMITH"}, {"levels", "345C"}, {"gatekey", "A1B2"},
                {"armband", "   101"}, {"htcat_srt", "1"}, {"level", "3"}, {"class_ht", "12"}, {"mem_dog_id", "01234-02"},
                {"srt_q", "1"}, {"srt_score", "015"}, {"srt_time", "035.20"}, {"day", "1"}, {"runkey", "A01"},
                {"htkey", "1"}, {"fullarm", "101V"}}});
    const QString jumpers = "Jumpers" + blanks(8);
    f.check({
        {"LevGroup LEVKEY", "day_num+round+classname", "12" + jumpers},
        {"LevGroup ClASSNAME", "day_num+classname+round", "1" + jumpers + "2"},
        {"RunOrder RUNKEY", "day_num+round+classname+srt_key", "12" + jumpers + " 3"},
        {"RunOrder CATKEY", "day_num+ring+srt_key+round+classname", "12 32" + jumpers},
        {"JumpHts HTKEY", "day_num+ring+jump_ht", "12 8"},
        {"JumpHts RUNKEY", "day_num+ring+ht_key", "121"},
        {"ShwJudges JUDGE", "day_num+judge+classname+round", "1JSMITH" + blanks(14) + jumpers + "2"},
        {"ShwJudges DAYKEY", "day_num+round+classname", "12" + jumpers},
        {"SCTInfo LOOKUP", "day_num+classname+round+levels", "1" + jumpers + "2345C   "},
        {"Catalog CLASSKEY", "day_num+round+classname+htcat_srt", "12" + jumpers + "1"},
        {"Catalog CATKEY", "day_num+ring+srt_key+ht_key+gatekey+armband", "12 31A1B2   101"},
        {"Catalog TABLEKEY", "day_num+ring+srt_key+level+htcat_srt+class_ht+armband", "12 33112   101"},
        {"Results LOOKUP", "day_num+ring+classname+round+levels+armband", "12" + jumpers + "2345C      101"},
        {"Results UPDKEY", "day_num+round+classname+mem_dog_id+level", "12" + jumpers + "01234-023"},
        {"Results SCORES", "day_num+ring+srt_key+level+htcat_srt+class_ht+srt_q+srt_score+srt_time", "12 331121015035.20"},
        {"vScribe CATKEY", "day+ring+srt_key+ht_key+gatekey+armband", "12 31A1B2   101"},
        {"vGate RunOrder", "ring+runkey+htkey+gatekey+fullarm", "2A01 1A1B2101V      "},
    });
}

TEST(Expression, HighInTrialKeys)
{
    TempFolder dir;
    FieldList fields = {{"mem_dog_id", 'C', 8, 0}, {"call_name", 'C', 15, 0}, {"armband", 'C', 6, 0}};
    for (int d = 1; d <= 4; ++d) {
        const QString p = QString("d%1_").arg(d);
        fields << FieldDef{p + "std_lev", 'C', 1, 0} << FieldDef{p + "std_pts", 'N', 5, 0}
               << FieldDef{p + "std_per", 'N', 9, 4} << FieldDef{p + "gam_lev", 'C', 1, 0}
               << FieldDef{p + "gam_pts", 'N', 5, 0} << FieldDef{p + "gam_per", 'N', 9, 4}
               << FieldDef{p + "pts", 'N', 5, 0} << FieldDef{p + "per", 'N', 9, 4};
    }
    fields << FieldDef{"std_pts", 'N', 6, 0} << FieldDef{"std_per", 'N', 10, 4} << FieldDef{"gam_pts", 'N', 6, 0}
           << FieldDef{"gam_per", 'N', 10, 4} << FieldDef{"cum_pts", 'N', 6, 0} << FieldDef{"cum_per", 'N', 10, 4}
           << FieldDef{"breed", 'C', 40, 0} << FieldDef{"htsrt", 'C', 2, 0} << FieldDef{"gam_lev", 'C', 1, 0}
           << FieldDef{"state", 'C', 4, 0} << FieldDef{"catsrt", 'C', 1, 0} << FieldDef{"levsrt", 'C', 1, 0};
    QMap<QString, QString> row = {{"mem_dog_id", "01234-02"}, {"call_name", "Rex"}, {"armband", "   101"},
                                  {"std_pts", "45"}, {"std_per", "12345.6789"}, {"gam_pts", "21"}, {"gam_per", "0.5"},
                                  {"cum_pts", "66"}, {"cum_per", "93.125"}, {"breed", "Border Collie"},
                                  {"htsrt", "08"}, {"gam_lev", "2"}, {"state", "mn"}, {"catsrt", "1"}, {"levsrt", "3"}};
    for (int d = 1; d <= 4; ++d) {
        const QString p = QString("d%1_").arg(d);
        row[p + "std_lev"] = QString::number(d);
        row[p + "std_pts"] = QString::number(d * 10 + 5);
        row[p + "std_per"] = QString::number(80 + d) + ".5";
        row[p + "gam_lev"] = "C";
        row[p + "gam_pts"] = QString::number(d);
        row[p + "gam_per"] = QString::number(d * 0.25);
        row[p + "pts"] = QString::number(d * 100);
        row[p + "per"] = "99.99";
    }
    Fixture f(dir, "hitinfo", fields, {row, row, row});   // evaluated on record 3
    f.check({
        {"MemDog", "mem_dog_id", "01234-02"},
        {"Armband", "armband", "   101"},
        {"Callname", "upper(call_name)", "REX" + blanks(12)},
        {"Std1", "htsrt+d1_std_lev+str(d1_std_pts,5)+str(d1_std_per,9,4)+str(recno(),5)", "081   15  81.5000    3"},
        {"Gam1", "htsrt+d1_gam_lev+str(d1_gam_pts,5)+str(d1_gam_per,9,4)+str(recno(),5)", "08C    1   0.2500    3"},
        {"Cum1", "htsrt+str(d1_pts,5)+str(d1_per,9,4)+str(recno(),5)", "08  100  99.9900    3"},
        {"Std2", "htsrt+d2_std_lev+str(d2_std_pts,5)+str(d2_std_per,9,4)+str(recno(),5)", "082   25  82.5000    3"},
        {"Gam2", "htsrt+d2_gam_lev+str(d2_gam_pts,5)+str(d2_gam_per,9,4)+str(recno(),5)", "08C    2   0.5000    3"},
        {"Cum2", "htsrt+str(d2_pts,5)+str(d2_per,9,4)+str(recno(),5)", "08  200  99.9900    3"},
        {"Std3", "htsrt+d3_std_lev+str(d3_std_pts,5)+str(d3_std_per,9,4)+str(recno(),5)", "083   35  83.5000    3"},
        {"Gam3", "htsrt+d3_gam_lev+str(d3_gam_pts,5)+str(d3_gam_per,9,4)+str(recno(),5)", "08C    3   0.7500    3"},
        {"Cum3", "htsrt+str(d3_pts,5)+str(d3_per,9,4)+str(recno(),5)", "08  300  99.9900    3"},
        {"Std4", "htsrt+d4_std_lev+str(d4_std_pts,5)+str(d4_std_per,9,4)+str(recno(),5)", "084   45  84.5000    3"},
        {"Gam4", "htsrt+d4_gam_lev+str(d4_gam_pts,5)+str(d4_gam_per,9,4)+str(recno(),5)", "08C    4   1.0000    3"},
        {"Cum4", "htsrt+str(d4_pts,5)+str(d4_per,9,4)+str(recno(),5)", "08  400  99.9900    3"},
        // 12345.6789 does not fit str(,9,4): asterisks, as dBASE gives.
        {"HtAllStd", "htsrt+catsrt+levsrt+str(std_pts,6)+str(std_per,9,4)+str(recno(),5)", "0813    45*********    3"},
        {"HtAllGam", "htsrt+catsrt+gam_lev+str(gam_pts,6)+str(gam_per,9,4)+str(recno(),5)", "0812    21   0.5000    3"},
        {"AllCum", "str(cum_pts,6)+str(cum_per,9,4)+str(recno(),5)", "    66  93.1250    3"},
        {"BreedCum", "upper(breed)+str(cum_pts,6)+str(cum_per,9,4)+str(recno(),5)", "BORDER COLLIE" + blanks(27) + "    66  93.1250    3"},
        {"StateCum", "upper(state)+str(cum_pts,6)+str(cum_per,9,4)+str(recno(),5)", "MN      66  93.1250    3"},
    });
}

TEST(Expression, LabelExpressions)
{
    TempFolder dir;
    Fixture f(dir, "labels",
              {{"owner", 'C', 45, 0}, {"first", 'C', 25, 0}, {"last", 'C', 25, 0}, {"address", 'C', 30, 0},
               {"city", 'C', 20, 0}, {"state", 'C', 20, 0}, {"zip", 'C', 10, 0}, {"jfirst", 'C', 25, 0},
               {"jlast", 'C', 25, 0}, {"jcity", 'C', 30, 0}, {"jstate", 'C', 20, 0}, {"jzip", 'C', 10, 0},
               {"class", 'C', 15, 0}, {"ht_cat", 'C', 1, 0}, {"level", 'C', 1, 0}, {"class_ht", 'C', 2, 0},
               {"jump_ht", 'C', 2, 0}, {"classname", 'C', 15, 0}, {"round", 'C', 1, 0}},
              {{{"owner", QString::fromUtf8("Mary Müller")}, {"first", "Mary"}, {"last", QString::fromUtf8("Müller")},
                {"address", "12 Elm St"}, {"city", "St. Paul"}, {"state", "MN"}, {"zip", "55101"}, {"jfirst", "Lee"},
                {"jlast", "Park"}, {"jcity", "Austin"}, {"jstate", "TX"}, {"jzip", "73301"}, {"class", "Standard"},
                {"ht_cat", "R"}, {"level", "3"}, {"class_ht", "12"}, {"jump_ht", " 8"}, {"classname", "Jumpers"},
                {"round", "2"}}});
    const struct { const char* expression; QString expected; } cases[] = {
        {"owner", QString::fromUtf8("Mary Müller") + blanks(34)},
        {"trim(first)+' '+trim(last)", QString::fromUtf8("Mary Müller")},
        {"trim(address)", "12 Elm St"},
        {"trim(city)+', '+trim(state)+'   '+trim(zip)", "St. Paul, MN   55101"},
        {"trim(jfirst)+' '+trim(jlast)", "Lee Park"},
        {"trim(jcity)+', '+trim(jstate)+'       '+trim(jzip)", "Austin, TX       73301"},
        {"trim(class)+' ('+ht_cat+') Lev-'+level+'  '+class_ht+'\"'", "Standard (R) Lev-3  12\""},
        {"'Jump Ht  '+jump_ht", "Jump Ht   8"},
        {"trim(classname)+'  Rnd '+round+'  Lev '+level", "Jumpers  Rnd 2  Lev 3"},
    };
    for (const auto& c : cases) {
        const Expression e = Expression::compile(c.expression, f.table.fields());
        EXPECT_EQ(e.evaluateText(f.table), c.expected) << c.expression;
    }
}

TEST(Expression, StrFollowsDbase)
{
    const struct { const char* expression; const char* expected; } cases[] = {
        {"str(10.50,5)", "   11"},        // halves away from zero
        {"str(-2.5,4)", "  -3"},
        {"str(2.675,5,2)", " 2.68"},      // decimal half, though binary is a hair below
        {"str(-1.25,5,1)", " -1.3"},
        {"str(-100000,8,1)", "********"}, // does not fit
        {"str(100000,5)", "*****"},
        {"str(99999,5)", "99999"},
        {"str(-0.4,5)", "    0"},
        {"str(12)", "        12"},        // width 10 by default
        {"str(0.5,6,3)", " 0.500"},
        {"str(1234.5,6,1)", "1234.5"},
        {"str(3,2,0)", " 3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Expression::compile(c.expression).evaluateText(), QString(c.expected)) << c.expression;
    EXPECT_EQ(Expression::compile("str(1,5)+str(2,3)").width(), 8);
}

TEST(Expression, TextFunctionsAndOperators)
{
    const struct { const char* expression; const char* expected; } text[] = {
        {"'ab  ' - 'cd'", "abcd  "},
        {"'ab  ' + 'cd'", "ab  cd"},
        {"trim('  ab  ')", "  ab"},
        {"rtrim('ab  ')", "ab"},
        {"ltrim('  ab  ')", "ab  "},
        {"alltrim('  ab  ')", "ab"},
        {"upper('abc')+lower('DEF')", "ABCdef"},
        {"substr('abcdef',2,3)", "bcd"},
        {"substr('abcdef',4)", "def"},
        {"left('abcdef',2)", "ab"},
        {"right('abc  ',3)", "c  "},
        {"'\"'", "\""},
        {"dtos(ctod('06/05/2004'))", "20040605"},
        {"dtos(ctod(''))", "        "},
        {"iif(1 < 2, 'yes', 'no')", "yes"},
        {"space(3)+'x'", "   x"},
    };
    for (const auto& c : text)
        EXPECT_EQ(Expression::compile(c.expression).evaluateText(), QString(c.expected)) << c.expression;

    const struct { const char* expression; double expected; } numbers[] = {
        {"val('  12.5abc')", 12.5}, {"val('x')", 0}, {"1 + 2 * 3", 7}, {"(1 + 2) * 3", 9}, {"-4 / 2", -2},
        {"len('abc  ')", 5}, {"recno()", 0},
    };
    for (const auto& c : numbers)
        EXPECT_DOUBLE_EQ(Expression::compile(c.expression).evaluateNumber(), c.expected) << c.expression;

    const struct { const char* expression; bool expected; } logic[] = {
        {"'abc' = 'ab'", true},   {"'ab' = 'abc'", false}, {"'ab' == 'ab '", false}, {"'ab' == 'ab'", true},
        {"'ab' $ 'xaby'", true},  {"'ba' $ 'xaby'", false}, {"'a' <> 'b'", true},      {"3 # 4", true},
        {"'b' > 'a'", true},      {"'a ' <= 'a'", true},   {"1 >= 2", false},         {".NOT. .F.", true},
        {".T. .AND. .F.", false}, {".t. .or. .f.", true},   {"!(.T.)", false},        {"1 = 1 .AND. 'x' = ''", true},
        {"deleted()", false},
    };
    for (const auto& c : logic)
        EXPECT_EQ(Expression::compile(c.expression).evaluateLogical(), c.expected) << c.expression;
}

TEST(Expression, FieldNamesAreCaseInsensitive)
{
    const FieldList fields = {{"prim_last", 'C', 5, 0}, {"State", 'C', 2, 0}};
    EXPECT_EQ(Expression::compile("PRIM_LAST+state", fields).width(), 7);
    EXPECT_EQ(Expression::compile("upper(prim_last - State)", fields).type(), Expression::Type::Character);
}

TEST(Expression, BadExpressionsAreReported)
{
    const FieldList fields = {{"name", 'C', 5, 0}, {"n", 'N', 3, 0}};
    for (const char* bad : {"upper(", "nosuch", "name + n", "str('a')", "'abc", "upper(1)", "name = 1",
                            "foo(name)", "n +", "", ".AND.", "name name", "str(n,5,2,1)"}) {
        try {
            Expression::compile(bad, fields);
            ADD_FAILURE() << "compiled: " << bad;
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().contains(QString::fromLatin1(bad))) << e.message();
        }
    }
}

TEST(Expression, OperandsOfTheWrongTypeAreNamedInTheMessage)
{
    const FieldList fields = {{"name", 'C', 5, 0}, {"n", 'N', 3, 0}};
    const struct
    {
        const char* text;
        const char* message;
    } cases[] = {
        {"name .AND. n > 1", ".AND. needs a logical, not a text"},
        {"n > 1 .OR. n", ".OR. needs a logical, not a number"},
        {"n > 1 .AND. n < 5 .OR. name", ".OR. needs a logical, not a text"},
        {".NOT. n", ".NOT. needs a logical, not a number"},
        {"name * 2", "* needs a number, not a text"},
        {"n / name", "/ needs a number, not a text"},
        {"n - name", "\"-\" cannot join a number and a text"},
        {"name + n", "\"+\" cannot join a text and a number"},
        {"name < n", "cannot compare a text with a number"},
        {"n $ n", "$ needs a text, not a number"},
    };
    for (const auto& c : cases) {
        try {
            Expression::compile(c.text, fields);
            ADD_FAILURE() << "compiled: " << c.text;
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().endsWith(QString::fromLatin1(c.message))) << e.message();
        }
    }
}

TEST(Expression, NumericAndDateKeysSortInValueOrder)
{
    TempFolder dir;
    Table::create(dir.file("n.dbf"), {{"n", 'N', 8, 2}, {"d", 'D', 8, 0}});
    Table t;
    t.setTags({{"N", "n", false}, {"D", "d", false}});
    t.open(dir.file("n.dbf"), {.flushAfterPost = false, .currentTag = "n"});
    for (const char* v : {"5", "-3.5", "100", "0", "-20"}) {
        t.append();
        t.setText("n", v);
        t.setText("d", QDate(2000, 1, 1).addDays(QString(v).toDouble()).toString("MM/dd/yyyy"));
        t.post();
    }
    EXPECT_EQ(column(t, "n"), QStringList({"-20.00", "-3.50", "0.00", "5.00", "100.00"}));
    EXPECT_TRUE(t.seek("5"));
    EXPECT_EQ(t.recNo(), 1u);
    t.setCurrentTag("d");
    EXPECT_EQ(walk(t), QList<quint32>({5, 2, 4, 1, 3}));
    EXPECT_TRUE(t.seek("01/06/2000"));
    EXPECT_EQ(t.recNo(), 1u);
}
