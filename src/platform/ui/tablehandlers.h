#pragma once

#include "platform/xbase/table.h"

#include <functional>
#include <vector>

// A window's own handlers on a table it shares with other windows (the entry form's
// display, before-post check and button switch on the entries table). The owner keeps one
// TableHandlers, adds its handlers and attaches them; a window that moves through the same
// table switches them off for as long as it is open, with one line:
//
//   TableHandlersOff handlersOff(dmod->TzDbf1);
//
// Pauses nest. When the last one ends the handlers are attached again (if the owner still
// has them on) and the resume action runs, so the owner can show where the table now is.
class TableHandlers
{
public:
    explicit TableHandlers(xbase::Table& table);
    ~TableHandlers();
    TableHandlers(const TableHandlers&) = delete;
    TableHandlers& operator=(const TableHandlers&) = delete;

    xbase::Table& table() const { return m_table; }

    // Handlers are kept here and given to the table on attach().
    void afterScroll(std::function<void(xbase::Table&)> handler);
    void beforePost(std::function<bool(xbase::Table&)> handler);
    void stateChange(std::function<void(xbase::Table&)> handler);
    void onResume(std::function<void()> action) { m_resume = std::move(action); }

    // The owner's switch (a trial made current, closed).
    void attach();
    void detach();
    bool isOn() const { return m_on; }
    bool isAttached() const { return !m_connections.empty(); }
    bool isPaused() const { return m_pauses > 0; }

    // The handlers registered for a table, or nullptr.
    static TableHandlers* of(const xbase::Table& table);

private:
    friend class TableHandlersOff;
    void connectAll();
    void disconnectAll();
    void pause();
    void resume();

    xbase::Table& m_table;
    std::vector<std::function<void(xbase::Table&)>> m_afterScroll, m_stateChange;
    std::vector<std::function<bool(xbase::Table&)>> m_beforePost;
    std::vector<xbase::Table::Connection> m_connections;
    std::function<void()> m_resume;
    bool m_on = false;
    int m_pauses = 0;
};

// Switches off the handlers registered for a table until it goes out of scope. Does
// nothing when the table has none.
class TableHandlersOff
{
public:
    explicit TableHandlersOff(const xbase::Table& table);
    ~TableHandlersOff();
    TableHandlersOff(const TableHandlersOff&) = delete;
    TableHandlersOff& operator=(const TableHandlersOff&) = delete;

private:
    TableHandlers* m_handlers;
};
