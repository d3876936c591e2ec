#include "platform/ui/navigator.h"

#include "platform/ui/datasource.h"
#include "platform/ui/guard.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

using xbase::Table;

Navigator::Navigator(DataSource* source, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const struct
    {
        QStyle::StandardPixmap icon;
        const char* hint;
    } looks[] = {
        {QStyle::SP_MediaSkipBackward, QT_TR_NOOP("First record")},
        {QStyle::SP_MediaSeekBackward, QT_TR_NOOP("Prior record")},
        {QStyle::SP_MediaSeekForward, QT_TR_NOOP("Next record")},
        {QStyle::SP_MediaSkipForward, QT_TR_NOOP("Last record")},
        {QStyle::SP_BrowserReload, QT_TR_NOOP("Refresh data")},
    };
    for (int b = First; b <= Refresh; ++b) {
        auto* button = new QToolButton(this);
        button->setIcon(style()->standardIcon(looks[b].icon));
        button->setToolTip(tr(looks[b].hint));
        button->setAutoRaise(false);
        connect(button, &QToolButton::clicked, this, [this, b] { trigger(Button(b)); });
        layout->addWidget(button);
        m_buttons[b] = button;
    }
    layout->addStretch();   // the buttons stay together however wide the navigator is
    m_buttons[Refresh]->setVisible(false);
    setDataSource(source);
}

void Navigator::setDataSource(DataSource* source)
{
    for (const auto& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_source = source;
    if (m_source) {
        m_connections << connect(m_source, &DataSource::stateChanged, this, &Navigator::updateButtons);
        m_connections << connect(m_source, &DataSource::dataChanged, this, [this](int field) {
            if (field == 0)
                updateButtons();
        });
        m_connections << connect(m_source, &QObject::destroyed, this, [this] {
            for (QToolButton* button : m_buttons)
                button->setEnabled(false);
        });
    }
    updateButtons();
}

void Navigator::setRefreshVisible(bool visible)
{
    m_buttons[Refresh]->setVisible(visible);
}

void Navigator::setHint(Button button, const QString& hint)
{
    m_buttons[button]->setToolTip(hint.section(QLatin1Char('|'), 0, 0));
    m_buttons[button]->setStatusTip(hint.section(QLatin1Char('|'), 1));
}

bool Navigator::trigger(Button button)
{
    if (!m_source || !isEnabled() || !m_buttons[button]->isEnabled())
        return false;
    bool moved = false;
    runGuarded([&] {
        Table& table = m_source->table();
        switch (button) {
        case First: moved = table.first(); break;
        case Prior: moved = table.neighbour(-1) != 0 && table.prior(); break;
        case Next: moved = table.neighbour(+1) != 0 && table.next(); break;
        case Last: moved = table.last(); break;
        case Refresh:
            table.refresh();
            moved = true;
            break;
        }
    });
    updateButtons();
    if (moved)
        emit clicked(button);
    return moved;
}

void Navigator::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        updateButtons();
}

void Navigator::updateButtons()
{
    bool first = false, prior = false, next = false, last = false, open = false;
    if (m_source && m_source->isEnabled() && m_source->table().isOpen()) {
        const Table& table = m_source->table();
        open = true;
        if (table.state() == Table::State::Insert) {
            first = last = true;   // they post the new record, then move
        } else {
            first = prior = table.neighbour(-1) != 0;
            next = last = table.neighbour(+1) != 0;
        }
    }
    m_buttons[First]->setEnabled(first);
    m_buttons[Prior]->setEnabled(prior);
    m_buttons[Next]->setEnabled(next);
    m_buttons[Last]->setEnabled(last);
    m_buttons[Refresh]->setEnabled(open);
}
