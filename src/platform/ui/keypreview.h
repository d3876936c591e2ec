#pragma once

#include <QObject>
#include <QPointer>

class QKeyEvent;
class QWidget;

// Sees the keys of a window before its controls do, for the data-entry conventions:
// - Enter as Tab: Enter moves to the next control and is swallowed (not in multi-line
//   text boxes or grids, which need Enter themselves);
// - PgUp/PgDn ask to save, Esc asks to cancel (signals saveRequested/cancelRequested);
// - Up and Down arrows move between controls, in either direction per window.
// Each window switches on what it uses; keys handled are swallowed unless
// setPassKeysOn(true), in which case the focused control still gets them.
class KeyPreview : public QObject
{
    Q_OBJECT
public:
    enum class Arrows { Untouched, UpPreviousDownNext, UpNextDownPrevious };

    explicit KeyPreview(QWidget* window);
    ~KeyPreview() override;

    void setEnterAsTab(bool on) { m_enterAsTab = on; }
    void setPageKeysSave(bool on) { m_pageKeysSave = on; }
    void setEscapeCancels(bool on) { m_escapeCancels = on; }
    void setArrows(Arrows arrows) { m_arrows = arrows; }
    void setPassKeysOn(bool on) { m_passKeysOn = on; }

    bool enterAsTab() const { return m_enterAsTab; }

    // Moves the focus to the next (or previous) control of the window that takes Tab focus.
    static void focusNeighbour(QWidget* window, bool next);

signals:
    void saveRequested();
    void cancelRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handle(QKeyEvent* key, QWidget* focus);

    QPointer<QWidget> m_window;
    bool m_enterAsTab = false;
    bool m_pageKeysSave = false;
    bool m_escapeCancels = false;
    Arrows m_arrows = Arrows::Untouched;
    bool m_passKeysOn = false;
};
