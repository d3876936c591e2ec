#include "platform/ui/keypreview.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

KeyPreview::KeyPreview(QWidget* window) : QObject(window), m_window(window)
{
    // Key events go to the focused control first; only an application-wide filter sees
    // them before it, as the window's key preview must.
    qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview()
{
    qApp->removeEventFilter(this);
}

void KeyPreview::focusNeighbour(QWidget* window, bool next)
{
    QWidget* start = window->focusWidget() ? window->focusWidget() : window;
    QWidget* w = start;
    do {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w->window() == window && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled()
            && w->isVisibleTo(window) && !w->focusProxy()) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    } while (w != start);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !m_window)
        return false;
    auto* focus = qobject_cast<QWidget*>(watched);
    // Once per key: when it reaches the focused control of our window.
    if (!focus || focus != QApplication::focusWidget() || focus->window() != m_window)
        return false;
    return handle(static_cast<QKeyEvent*>(event), focus);
}

bool KeyPreview::handle(QKeyEvent* key, QWidget* focus)
{
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier)
        return false;
    const bool needsKeysItself = qobject_cast<QAbstractItemView*>(focus) || qobject_cast<QTextEdit*>(focus)
        || qobject_cast<QPlainTextEdit*>(focus);

    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!m_enterAsTab || needsKeysItself)
            return false;
        focusNeighbour(m_window, true);
        return true; // swallowed: Enter must not reach a default button as well
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (!m_pageKeysSave)
            return false;
        emit saveRequested();
        return !m_passKeysOn;
    case Qt::Key_Escape:
        if (!m_escapeCancels)
            return false;
        emit cancelRequested();
        return !m_passKeysOn;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (m_arrows == Arrows::Untouched || needsKeysItself)
            return false;
        focusNeighbour(m_window, (key->key() == Qt::Key_Down) == (m_arrows == Arrows::UpPreviousDownNext));
        return !m_passKeysOn;
    default:
        return false;
    }
}
