#include "platform/system/inifile.h"
#include "platform/system/programfolders.h"
#include "platform/ui/windowposition.h"
#include "support/qtprinters.h"
#include "support/tempfolder.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class TPlacedForm : public QWidget
{
    Q_OBJECT
public:
    TPlacedForm() { resize(300, 200); }
};

struct Expect { int top, left, height, width; bool centred; };

void check(const WindowPlacement& p, const Expect& e)
{
    EXPECT_EQ(p.top, e.top);
    EXPECT_EQ(p.left, e.left);
    EXPECT_EQ(p.height, e.height);
    EXPECT_EQ(p.width, e.width);
    EXPECT_EQ(p.centred, e.centred);
}

} // namespace

TEST(WindowPlacement, FollowsTheRuleForEverySettingsCase)
{
    struct Case { const char* name; QByteArray file; Expect expected; };
    const QSize screen(1024, 768);
    const QSize window(301, 201);
    const Case cases[] = {
        {"no section", "", {283, 361, 201, 301, true}},
        {"Top -1 centres even with the rest stored", "[TForm]\nTop=-1\nLeft=5\nHeight=6\nWidth=7\n",
         {283, 361, 201, 301, true}},
        {"all four stored", "[tform]\ntop=10\nleft=20\nheight=300\nwidth=400\n", {10, 20, 300, 400, false}},
        {"Top without Left", "[TForm]\nTop=10\n", {10, -1, -1, -1, false}},
        {"Top 0 is a place, not missing", "[TForm]\nTop=0\nLeft=0\n", {0, 0, -1, -1, false}},
        {"another window's section", "[TOther]\nTop=10\n", {283, 361, 201, 301, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder t;
        QFile f(t.file("g.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.file);
        f.close();
        check(windowPlacement(IniFile(t.file("g.ini")), "TForm", screen, window), c.expected);
    }
}

TEST(WindowPlacement, CentringTruncatesAndAllowsNegativeResults)
{
    check(centredPlacement(QSize(800, 600), QSize(801, 603)), {-1, 0, 603, 801, true});
    check(centredPlacement(QSize(800, 600), QSize(1000, 700)), {-50, -100, 700, 1000, true});
    check(centredPlacement(QSize(1025, 769), QSize(100, 100)), {334, 462, 100, 100, true});
}

TEST(WindowPosition, AWindowOpensWhereItWasClosedLastTime)
{
    TempFolder t;
    ProgramFolders::setCurrent(ProgramFolders(t.path()));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    {
        TPlacedForm form;
        keepWindowPosition(&form);
        EXPECT_EQ(form.x(), screen.x() + (screen.width() - 300) / 2);
        EXPECT_EQ(form.y(), screen.y() + (screen.height() - 200) / 2);
        form.show();
        form.move(40, 30);
        form.resize(320, 210);
        form.close();
    }
    IniFile ini(t.file("gendefs.ini"));
    EXPECT_EQ(ini.readInteger("TPlacedForm", "Top", 0), 30);
    EXPECT_EQ(ini.readInteger("TPlacedForm", "Left", 0), 40);
    EXPECT_EQ(ini.readInteger("TPlacedForm", "Height", 0), 210);
    EXPECT_EQ(ini.readInteger("TPlacedForm", "Width", 0), 320);

    TPlacedForm again;
    keepWindowPosition(&again);
    EXPECT_EQ(again.pos(), QPoint(40, 30));
    EXPECT_EQ(again.size(), QSize(320, 210));
}

TEST(WindowPosition, AlwaysCentredWindowsStillSave)
{
    TempFolder t;
    ProgramFolders::setCurrent(ProgramFolders(t.path()));
    IniFile ini(t.file("gendefs.ini"));
    ini.writeInteger("TPlacedForm", "Top", 5);
    ini.writeInteger("TPlacedForm", "Left", 5);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    {
        TPlacedForm form;
        keepWindowPosition(&form, PositionMode::AlwaysCentre);
        EXPECT_EQ(form.x(), screen.x() + (screen.width() - 300) / 2);
        form.show();
        form.move(7, 8);
    } // destroyed while shown
    EXPECT_EQ(ini.readInteger("TPlacedForm", "Top", 0), 8);
    EXPECT_EQ(ini.readInteger("TPlacedForm", "Left", 0), 7);
}

#include "windowposition_test.moc"
