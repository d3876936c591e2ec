#include "entries/compareform.h"

#include "platform/system/inifile.h"
#include "platform/system/programfolders.h"
#include "support/tempfolder.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class CompareFormTest : public ::testing::Test
{
protected:
    CompareFormTest() { ProgramFolders::setCurrent(ProgramFolders(dir.path())); }

    TempFolder dir;
};

TEST_F(CompareFormTest, ShowsBothValuesWithUseAgxFocused)
{
    TCompareForm form("email", "ann@example.com", "");
    EXPECT_EQ(form.windowTitle(), "Comparing Member Data");
    EXPECT_EQ(form.fieldName(), "email");
    EXPECT_EQ(form.agxValue(), "ann@example.com");
    EXPECT_EQ(form.myValue(), "");
    EXPECT_EQ(form.useMineButton()->text(), "Use Mine");
    EXPECT_EQ(form.useAgxButton()->text(), "Use AGX");
    form.show();
    QApplication::processEvents();
    EXPECT_EQ(form.focusWidget(), form.useAgxButton());
    EXPECT_EQ(form.choice(), CompareChoice::UseAgx);
}

TEST_F(CompareFormTest, EachButtonGivesItsChoiceAndThePlaceIsKept)
{
    for (const auto& [button, expected] : {std::pair{"UseMineBtn", CompareChoice::UseMine},
                                           std::pair{"UseAgxBtn", CompareChoice::UseAgx}}) {
        TCompareForm form("city", "Springfield", "Salem");
        QTimer::singleShot(0, &form, [&form, name = button] { form.findChild<QPushButton*>(name)->click(); });
        form.exec();
        EXPECT_EQ(form.choice(), expected) << button;
    }
    const IniFile ini(ProgramFolders::current().gendefs());
    EXPECT_TRUE(ini.sectionExists("TCompareForm"));
    EXPECT_GT(ini.readInteger("TCompareForm", "Width", -1), 0);
}

TEST_F(CompareFormTest, OpensCentredAndDoubleClickGoesToTheKeptPlace)
{
    {
        IniFile ini(ProgramFolders::current().gendefs());
        ini.writeInteger("TCompareForm", "Top", 40);
        ini.writeInteger("TCompareForm", "Left", 30);
        ini.writeInteger("TCompareForm", "Height", 220);
        ini.writeInteger("TCompareForm", "Width", 560);
    }
    TCompareForm form("zip", "62701", "62702");
    EXPECT_NE(form.pos(), QPoint(30, 40));   // the kept place is not used on opening
    QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &click);
    EXPECT_EQ(form.pos(), QPoint(30, 40));
    EXPECT_EQ(form.size(), QSize(560, 220));
}

} // namespace
