#include "platform/ui/boundspinbox.h"

#include "platform/xbase/table.h"

#include <QLineEdit>

BoundSpinBox::BoundSpinBox(QWidget* parent) : QSpinBox(parent), FieldLink(this)
{
    setRange(0, 999999999);
    connect(this, &QSpinBox::valueChanged, this, [this] { commit(); });
}

BoundSpinBox::BoundSpinBox(DataSource* source, const QString& field, QWidget* parent) : BoundSpinBox(parent)
{
    bind(source, field);
}

void BoundSpinBox::setTypingAllowed(bool allowed)
{
    lineEdit()->setReadOnly(!allowed);   // the arrows keep working
}

bool BoundSpinBox::typingAllowed() const
{
    return !lineEdit()->isReadOnly();
}

void BoundSpinBox::load()
{
    const xbase::Table* table = readable();
    setValue(table ? int(table->toInt(fieldNumber())) : minimum());
}

void BoundSpinBox::store()
{
    readable()->setInt(dataField(), value());
}
