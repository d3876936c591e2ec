#include "platform/ui/boundcheckbox.h"

#include "platform/xbase/table.h"

BoundCheckBox::BoundCheckBox(QWidget* parent) : QCheckBox(parent), FieldLink(this)
{
    connect(this, &QCheckBox::clicked, this, [this] { commit(); });
}

BoundCheckBox::BoundCheckBox(const QString& text, DataSource* source, const QString& field, QWidget* parent)
    : BoundCheckBox(parent)
{
    setText(text);
    bind(source, field);
}

void BoundCheckBox::load()
{
    const xbase::Table* table = readable();
    setChecked(table && table->toBool(fieldNumber()));
}

void BoundCheckBox::store()
{
    readable()->setBool(dataField(), isChecked());
}
