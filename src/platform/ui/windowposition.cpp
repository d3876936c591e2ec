#include "platform/ui/windowposition.h"

#include "platform/system/gendefs.h"
#include "platform/system/inifile.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace {

const QString kTop = QStringLiteral("Top");
const QString kLeft = QStringLiteral("Left");
const QString kHeight = QStringLiteral("Height");
const QString kWidth = QStringLiteral("Width");

QRect screenRect(const QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 800, 600);
}

QSize designSize(QWidget* window)
{
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize();
    return window->size();
}

void apply(QWidget* window, const WindowPlacement& p, QPoint screenOrigin)
{
    if (p.centred) {
        window->move(screenOrigin + QPoint(p.left, p.top));
        return;
    }
    window->move(p.left, p.top);
    window->resize(p.width, p.height); // QWidget keeps within the minimum/maximum sizes
}

// Saves the place of its parent window whenever the window is hidden by the program
// (closing, or a modal window ending) and when it is destroyed while shown.
class PositionKeeper : public QObject
{
public:
    PositionKeeper(QWidget* window, const QString& section) : QObject(window), m_window(window), m_section(section)
    {
        window->installEventFilter(this);
    }

    ~PositionKeeper() override
    {
        if (m_window && m_window->isVisible())
            save();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::Hide && !event->spontaneous())
            save();
        return false;
    }

private:
    void save() noexcept
    {
        // Runs inside Qt's event delivery, where nothing may be thrown; a settings file
        // that cannot be written only costs the window its place next time.
        try {
            saveWindowPosition(m_window, m_section);
        } catch (...) {
        }
    }

    QPointer<QWidget> m_window;
    QString m_section;
};

} // namespace

WindowPlacement centredPlacement(QSize screen, QSize window)
{
    WindowPlacement p;
    p.centred = true;
    p.top = (screen.height() - window.height()) / 2;
    p.left = (screen.width() - window.width()) / 2;
    p.height = window.height();
    p.width = window.width();
    return p;
}

WindowPlacement windowPlacement(const IniFile& ini, const QString& section, QSize screen, QSize window)
{
    const int top = ini.readInteger(section, kTop, -1);
    if (top == -1)
        return centredPlacement(screen, window);
    WindowPlacement p;
    p.top = top;
    p.left = ini.readInteger(section, kLeft, -1);
    p.height = ini.readInteger(section, kHeight, -1);
    p.width = ini.readInteger(section, kWidth, -1);
    return p;
}

QString windowSection(const QWidget* window)
{
    return QString::fromLatin1(window->metaObject()->className());
}

void restoreWindowPosition(QWidget* window, const QString& section)
{
    const QRect screen = screenRect(window);
    const GenDefs settings;
    apply(window,
          windowPlacement(settings.ini(), section.isEmpty() ? windowSection(window) : section, screen.size(),
                          designSize(window)),
          screen.topLeft());
}

void centreWindow(QWidget* window)
{
    const QRect screen = screenRect(window);
    apply(window, centredPlacement(screen.size(), designSize(window)), screen.topLeft());
}

void saveWindowPosition(const QWidget* window, const QString& section)
{
    const QString name = section.isEmpty() ? windowSection(window) : section;
    GenDefs settings;
    // x()/y() are the frame's position, as move() takes it; the size is the window's own.
    settings.ini().writeInteger(name, kTop, window->y());
    settings.ini().writeInteger(name, kLeft, window->x());
    settings.ini().writeInteger(name, kHeight, window->height());
    settings.ini().writeInteger(name, kWidth, window->width());
}

void keepWindowPosition(QWidget* window, PositionMode mode, const QString& section)
{
    const QString name = section.isEmpty() ? windowSection(window) : section;
    if (mode == PositionMode::AlwaysCentre)
        centreWindow(window);
    else
        restoreWindowPosition(window, name);
    new PositionKeeper(window, name);
}
