// The OEM code pages: the table of 437, the language-driver byte, upper case.

#include "xbasetest.h"

#include "platform/xbase/codepage.h"

using namespace xbase;
using namespace xbasetest;

TEST(CodePage, Cp437MapsTheDosLetters)
{
    const CodePage& cp = CodePage::get(CodePage::Cp437);
    const struct { unsigned char byte; const char* utf8; } cases[] = {
        {0x41, "A"}, {0x81, "ü"}, {0x82, "é"}, {0x84, "ä"}, {0x8E, "Ä"}, {0x94, "ö"}, {0x99, "Ö"}, {0x9A, "Ü"},
        {0xA4, "ñ"}, {0xA5, "Ñ"}, {0xE1, "ß"}, {0x9B, "¢"}, {0xC4, "─"}, {0xE6, "µ"}, {0xFF, "\u00A0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp.decode(c.byte), QString::fromUtf8(c.utf8)[0]) << int(c.byte);
        EXPECT_EQ(cp.encode(QString::fromUtf8(c.utf8)[0]), c.byte) << c.utf8;
    }
    EXPECT_EQ(cp.encode(QString::fromUtf8("€")), QByteArray("?"));
    QByteArray all(256, 0);
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    EXPECT_EQ(cp.encode(cp.decode(all)), all);
}

TEST(CodePage, LanguageDriverByteChoosesThePage)
{
    EXPECT_EQ(CodePage::forLanguageDriver(0x01).number(), 437);
    EXPECT_EQ(CodePage::forLanguageDriver(0x02).number(), 850);
    EXPECT_EQ(CodePage::forLanguageDriver(0x03).number(), 1252);
    EXPECT_EQ(CodePage::forLanguageDriver(0x57).number(), 1252);
    EXPECT_EQ(CodePage::forLanguageDriver(0x00).number(), 437);
    EXPECT_EQ(CodePage::get(CodePage::Cp850).decode(0xD0), QChar(0x00F0));   // ð, a box in 437
    EXPECT_EQ(CodePage::get(CodePage::Cp1252).decode(0x80), QChar(0x20AC));
    EXPECT_EQ(CodePage::get(CodePage::Cp1252).decode(0xE9), QChar(0x00E9));
}

TEST(CodePage, UpperCaseStaysInThePage)
{
    const CodePage& cp = CodePage::get(CodePage::Cp437);
    EXPECT_EQ(cp.upper('a'), 'A');
    EXPECT_EQ(cp.upper(0x81), 0x9A);   // ü -> Ü
    EXPECT_EQ(cp.upper(0x82), 0x90);   // é -> É
    EXPECT_EQ(cp.upper(0x89), 0x89);   // ë has no capital in 437
    EXPECT_EQ(cp.upper(0xE1), 0xE1);   // ß stays
    EXPECT_EQ(cp.upper('1'), '1');
}

TEST(CodePage, TablesOfOtherPagesAreDecodedByTheirDriverByte)
{
    TempFolder dir;
    const QString path = dir.file("cp.dbf");
    Table::create(path, {{"name", 'C', 4, 0}});
    {
        Table t;
        t.open(path);
        t.append();
        t.setRawBytes("name", QByteArray("\xE9\x80", 2));
        t.post();
    }
    QByteArray bytes = readFile(path);
    bytes[29] = 0x03;
    writeFile(path, bytes);
    Table t;
    t.open(path);
    EXPECT_EQ(t.codePage().number(), 1252);
    EXPECT_EQ(t.trimmed("name"), QString::fromUtf8("é€"));
    t.edit();
    t.setText("name", QString::fromUtf8("€é"));
    t.post();
    EXPECT_EQ(t.rawField(1, 1), QByteArray("\x80\xE9  ", 4));
}
