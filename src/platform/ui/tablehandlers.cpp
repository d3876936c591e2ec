#include "platform/ui/tablehandlers.h"

#include "platform/ui/guard.h"

#include <QHash>

namespace {

QHash<const xbase::Table*, TableHandlers*>& registry()
{
    static QHash<const xbase::Table*, TableHandlers*> handlers;
    return handlers;
}

} // namespace

TableHandlers::TableHandlers(xbase::Table& table) : m_table(table)
{
    registry().insert(&table, this);
}

TableHandlers::~TableHandlers()
{
    disconnectAll();
    if (registry().value(&m_table) == this)
        registry().remove(&m_table);
}

TableHandlers* TableHandlers::of(const xbase::Table& table)
{
    return registry().value(&table);
}

void TableHandlers::afterScroll(std::function<void(xbase::Table&)> handler)
{
    m_afterScroll.push_back(std::move(handler));
}

void TableHandlers::beforePost(std::function<bool(xbase::Table&)> handler)
{
    m_beforePost.push_back(std::move(handler));
}

void TableHandlers::stateChange(std::function<void(xbase::Table&)> handler)
{
    m_stateChange.push_back(std::move(handler));
}

void TableHandlers::attach()
{
    m_on = true;
    if (m_pauses == 0)
        connectAll();
}

void TableHandlers::detach()
{
    m_on = false;
    disconnectAll();
}

void TableHandlers::connectAll()
{
    if (isAttached())
        return;
    for (const auto& h : m_afterScroll)
        m_connections.push_back(m_table.onAfterScroll(h));
    for (const auto& h : m_beforePost)
        m_connections.push_back(m_table.onBeforePost(h));
    for (const auto& h : m_stateChange)
        m_connections.push_back(m_table.onStateChange(h));
}

void TableHandlers::disconnectAll()
{
    for (const xbase::Table::Connection c : m_connections)
        m_table.detach(c);
    m_connections.clear();
}

void TableHandlers::pause()
{
    if (m_pauses++ == 0)
        disconnectAll();
}

void TableHandlers::resume()
{
    if (m_pauses == 0 || --m_pauses > 0 || !m_on)
        return;
    connectAll();
    if (m_resume)
        runGuarded(m_resume);   // runs from a destructor: nothing may escape
}

TableHandlersOff::TableHandlersOff(const xbase::Table& table) : m_handlers(TableHandlers::of(table))
{
    if (m_handlers)
        m_handlers->pause();
}

TableHandlersOff::~TableHandlersOff()
{
    // The owner may be gone meanwhile (the window closed first).
    if (m_handlers && TableHandlers::of(m_handlers->table()) == m_handlers)
        m_handlers->resume();
}
