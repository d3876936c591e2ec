#include "platform/system/errors.h"
#include "platform/ui/guard.h"
#include "platform/ui/keypreview.h"
#include "platform/ui/progress.h"
#include "platform/ui/waitcursor.h"
#include "support/qtprinters.h"
#include "support/scripteddialogs.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QKeyEvent>
#include <QVBoxLayout>

#include <gtest/gtest.h>

TEST(Guard, ShowsAnErrorAndReportsFailure)
{
    ScriptedDialogs dialogs;
    dialogs.expectMessage("Cannot create /x/shows/");
    EXPECT_FALSE(runGuarded([] { throw AppError("Cannot create /x/shows/"); }));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages()[0].icon, MessageIcon::Stop);
}

TEST(Guard, SilentAbortShowsNothingAndOtherErrorsShowTheirText)
{
    ScriptedDialogs dialogs;
    EXPECT_FALSE(runGuarded([] { throw SilentAbort(); }));
    dialogs.expectMessage("bad thing");
    EXPECT_FALSE(runGuarded([] { throw std::runtime_error("bad thing"); }));
    int ran = 0;
    EXPECT_TRUE(runGuarded([&] { ++ran; }));
    auto slot = guarded([&] { ++ran; });
    slot();
    EXPECT_EQ(ran, 2);
}

TEST(WaitCursor, IsRestoredWhenTheWorkFails)
{
    ScriptedDialogs dialogs;
    dialogs.expectMessage("stop");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    runGuarded([] {
        WaitCursor wait;
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        throw AppError("stop");
    });
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

namespace {

void keyClick(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    const QString text = key == Qt::Key_Return || key == Qt::Key_Enter ? QStringLiteral("\r") : QString();
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

struct Form
{
    QWidget window;
    QLineEdit* first = new QLineEdit(&window);
    QLineEdit* second = new QLineEdit(&window);
    QPlainTextEdit* memo = new QPlainTextEdit(&window);
    QPushButton* button = new QPushButton("&Save", &window);

    Form()
    {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : std::initializer_list<QWidget*>{first, second, memo, button})
            layout->addWidget(w);
        window.show();
        QApplication::setActiveWindow(&window);
        first->setFocus();
    }
};

} // namespace

TEST(KeyPreview, EnterActsAsTabAndIsSwallowed)
{
    Form form;
    KeyPreview keys(&form.window);
    keyClick(form.first, Qt::Key_Return);
    EXPECT_TRUE(form.first->hasFocus()) << "off by default";

    keys.setEnterAsTab(true);
    int returned = 0;
    QObject::connect(form.first, &QLineEdit::returnPressed, [&] { ++returned; });
    keyClick(form.first, Qt::Key_Return);
    EXPECT_TRUE(form.second->hasFocus());
    EXPECT_EQ(returned, 0);
    keyClick(form.second, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(form.memo->hasFocus());
    keyClick(form.memo, Qt::Key_Return);
    EXPECT_TRUE(form.memo->hasFocus()) << "a multi-line box keeps its Enter";
    EXPECT_EQ(form.memo->toPlainText(), "\n");
}

TEST(KeyPreview, PageKeysSaveEscapeCancelsAndArrowsMove)
{
    Form form;
    KeyPreview keys(&form.window);
    keys.setPageKeysSave(true);
    keys.setEscapeCancels(true);
    keys.setArrows(KeyPreview::Arrows::UpNextDownPrevious);
    int save = 0;
    int cancel = 0;
    QObject::connect(&keys, &KeyPreview::saveRequested, [&] { ++save; });
    QObject::connect(&keys, &KeyPreview::cancelRequested, [&] { ++cancel; });

    keyClick(form.first, Qt::Key_PageDown);
    keyClick(form.first, Qt::Key_PageUp);
    keyClick(form.first, Qt::Key_Escape);
    EXPECT_EQ(save, 2);
    EXPECT_EQ(cancel, 1);

    keyClick(form.first, Qt::Key_Up);
    EXPECT_TRUE(form.second->hasFocus());
    keyClick(form.second, Qt::Key_Down);
    EXPECT_TRUE(form.first->hasFocus());

    keys.setArrows(KeyPreview::Arrows::UpPreviousDownNext);
    keyClick(form.first, Qt::Key_Down);
    EXPECT_TRUE(form.second->hasFocus());
}

TEST(KeyPreview, KeysOfOtherWindowsAreLeftAlone)
{
    Form form;
    Form other;
    KeyPreview keys(&form.window);
    keys.setEnterAsTab(true);
    keyClick(other.first, Qt::Key_Return);
    EXPECT_TRUE(other.first->hasFocus());
}

TEST(Progress, StepsMoveTheBar)
{
    QProgressBar bar;
    ProgressSteps steps(&bar, 10);
    for (int i = 0; i < 10; ++i)
        steps.step();
    EXPECT_EQ(bar.value(), 10);
    ProgressSteps noBar(nullptr, 3);
    noBar.step();
    EXPECT_EQ(noBar.done(), 1);
}

TEST(Hints, ShortPartIsTheToolTipLongPartTheStatusTip)
{
    QAction exit;
    setHint(&exit, "Exit|Exit the Program");
    EXPECT_EQ(exit.toolTip(), "Exit");
    EXPECT_EQ(exit.statusTip(), "Exit the Program");
    setHint(&exit, "Close Current Trial");
    EXPECT_EQ(exit.toolTip(), "Close Current Trial");
    EXPECT_EQ(exit.statusTip(), "Close Current Trial");
}
