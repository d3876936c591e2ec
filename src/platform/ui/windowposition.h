#pragma once

#include <QSize>
#include <QString>

class IniFile;
class QWidget;

// Every window remembers its place in gendefs.ini, in the section named after its class
// (Top, Left, Height, Width). When Top is missing or -1 the window is centred on the
// screen: (screen - window) / 2, truncated, even when that is negative. Otherwise the
// four values are applied as stored, each -1 when missing (a missing Left puts the window
// one pixel off the left edge; a missing size leaves the platform's limits to apply).
struct WindowPlacement
{
    int top = -1;
    int left = -1;
    int height = -1;
    int width = -1;
    bool centred = false;
};

WindowPlacement windowPlacement(const IniFile& ini, const QString& section, QSize screen, QSize window);
WindowPlacement centredPlacement(QSize screen, QSize window);

// The section of a window: its class name (TMainForm).
QString windowSection(const QWidget* window);

enum class PositionMode {
    Remember,      // open where it was last, save on closing
    AlwaysCentre,  // open centred, but still save on closing
};

// Applies the rule to window now and saves its place whenever it is hidden or destroyed.
// Call at the end of the window's constructor, once its size is set. The settings file is
// gendefs.ini of ProgramFolders::current(); section defaults to the class name.
void keepWindowPosition(QWidget* window, PositionMode mode = PositionMode::Remember, const QString& section = {});

// The two halves, for windows with their own rules.
void restoreWindowPosition(QWidget* window, const QString& section = {});
void centreWindow(QWidget* window);
void saveWindowPosition(const QWidget* window, const QString& section = {});
