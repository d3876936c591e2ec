#include "platform/ui/datasource.h"

#include "platform/ui/fieldlink.h"

#include <QAbstractButton>
#include <QPalette>
#include <QWidget>

using xbase::Table;

DataSource::DataSource(Table& table, QObject* parent) : QObject(parent), m_table(table)
{
    m_connections << m_table.onUpdateRecord([this](Table&) {
        if (m_enabled)
            updateRecord();
    });
    m_connections << m_table.onStateChange([this](Table&) {
        if (!m_enabled)
            return;
        // A table that closed (or opened) changes every control at once.
        if (m_table.state() == Table::State::Closed)
            reloadLinks(0);
        emit stateChanged();
    });
    m_connections << m_table.onDataChange([this](Table&, int field) {
        if (!m_enabled)
            return;
        reloadLinks(field);
        emit dataChanged(field);
    });
    m_connections << m_table.onAfterScroll([this](Table&) {
        if (m_enabled)
            emit scrolled();
    });
    m_connections << m_table.onAfterPost([this](Table&) {
        if (m_enabled)
            emit posted();
    });
}

DataSource::~DataSource()
{
    for (const Table::Connection c : std::as_const(m_connections))
        m_table.detach(c);
    for (FieldLink* link : std::as_const(m_links))
        link->sourceGone();
}

bool DataSource::isEditing() const
{
    return m_table.state() == Table::State::Edit || m_table.state() == Table::State::Insert;
}

void DataSource::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    for (FieldLink* link : QList<FieldLink*>(m_links))
        link->reload();
    if (m_enabled) {
        emit stateChanged();
        emit dataChanged(0);
    }
}

bool DataSource::edit()
{
    if (!m_enabled || !m_table.isOpen())
        return false;
    if (isEditing())
        return true;
    if (!m_autoEdit || m_table.isReadOnly() || m_table.recNo() == 0)
        return false;
    m_table.edit();
    return true;
}

void DataSource::updateRecord()
{
    if (!isEditing())
        return;
    for (FieldLink* link : QList<FieldLink*>(m_links))
        if (m_links.contains(link))
            link->updateRecord();
}

void DataSource::setMarkDeleted(bool on)
{
    m_markDeleted = on;
    for (FieldLink* link : QList<FieldLink*>(m_links))
        link->reload();
}

QColor DataSource::deletedColour()
{
    return QColor(255, 182, 193);
}

void DataSource::addLink(FieldLink* link)
{
    if (!m_links.contains(link))
        m_links << link;
}

void DataSource::removeLink(FieldLink* link)
{
    m_links.removeAll(link);
}

void DataSource::reloadLinks(int field)
{
    QString name;   // the field that was set; empty: every control
    if (field > 0 && m_table.isOpen())
        name = m_table.fieldDef(field).name;
    for (FieldLink* link : QList<FieldLink*>(m_links)) {
        if (!m_links.contains(link))
            continue;   // unbound by an earlier reload's side effects
        if (name.isEmpty() || name.compare(link->dataField(), Qt::CaseInsensitive) == 0)
            link->reload();
    }
}

void setDeletedLook(QWidget* control, bool deleted)
{
    if (!control || qobject_cast<QAbstractButton*>(control))
        return;
    const bool tinted = control->property("velmoraDeletedLook").toBool();
    if (deleted == tinted)
        return;
    control->setProperty("velmoraDeletedLook", deleted);
    if (deleted) {
        QPalette p = control->palette();
        p.setColor(QPalette::Base, DataSource::deletedColour());
        control->setPalette(p);
    } else {
        control->setPalette(QPalette());   // back to what the window gives it
    }
}
