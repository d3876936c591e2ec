#include "platform/ui/fieldlink.h"

#include "platform/ui/datasource.h"
#include "platform/ui/guard.h"
#include "platform/xbase/table.h"

#include <QApplication>
#include <QWidget>

FieldLink::FieldLink(QWidget* control) : m_control(control) {}

FieldLink::~FieldLink()
{
    if (m_source)
        m_source->removeLink(this);
}

void FieldLink::bind(DataSource* source, const QString& field)
{
    if (m_source)
        m_source->removeLink(this);
    m_source = source;
    m_field = field.trimmed();
    if (m_source)
        m_source->addLink(this);
    reload();
}

xbase::Table* FieldLink::readable() const
{
    if (!m_source || !m_source->isEnabled())
        return nullptr;
    xbase::Table& table = m_source->table();
    if (!table.isOpen() || !table.hasField(m_field))
        return nullptr;
    return &table;
}

int FieldLink::fieldNumber() const
{
    const xbase::Table* table = readable();
    return table ? table->fieldNumber(m_field) : 0;
}

const xbase::FieldDef* FieldLink::fieldDef() const
{
    const xbase::Table* table = readable();
    return table ? &table->fieldDef(m_field) : nullptr;
}

QString FieldLink::fieldText() const
{
    const xbase::Table* table = readable();
    if (!table)
        return {};
    const int n = fieldNumber();
    QString text = table->text(n);
    switch (table->fieldDef(n).type) {
    case 'N':
    case 'F':
    case 'D':
        return text.trimmed();
    case 'M':
        return text;
    default: {
        qsizetype end = text.size();
        while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
            --end;
        text.truncate(end);
        return text;
    }
    }
}

void FieldLink::reload()
{
    m_loading = true;
    m_pending = false;
    try {
        load();
    } catch (...) {
        // A record that cannot be shown leaves the control as it was; nothing to stop.
    }
    m_loading = false;
    const xbase::Table* table = readable();
    setDeletedLook(m_control, table && m_source->markDeleted() && table->recNo() > 0 && table->isDeleted());
}

void FieldLink::updateRecord()
{
    if (!m_pending || !readable() || !m_source->isEditing())
        return;
    store();
    m_pending = false;
}

bool FieldLink::beginEdit()
{
    if (m_loading)
        return false;
    if (readable() && m_source->edit()) {
        m_pending = true;
        return true;
    }
    QApplication::beep();
    return false;
}

void FieldLink::touched()
{
    if (m_pending || m_loading)
        return;
    bool editing = false;
    runGuarded([&] { editing = beginEdit(); });
    if (!editing)
        reload();
}

void FieldLink::commit()
{
    if (m_loading)
        return;
    const bool ok = runGuarded([this] {
        if (!beginEdit()) {
            reload();
            return;
        }
        updateRecord();
    });
    if (!ok)
        reload();   // the value was refused: show what the buffer holds
}

void FieldLink::leave()
{
    if (m_pending)
        runGuarded([this] { updateRecord(); });
}
