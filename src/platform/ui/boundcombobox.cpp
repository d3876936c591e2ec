#include "platform/ui/boundcombobox.h"

#include "platform/xbase/table.h"

#include <QAbstractItemModel>
#include <QFocusEvent>
#include <QLineEdit>

BoundComboBox::BoundComboBox(QWidget* parent) : QComboBox(parent), FieldLink(this)
{
    connect(this, &QComboBox::activated, this, [this] { commit(); });
    // Items filled in after binding: show the field's value among them.
    connect(model(), &QAbstractItemModel::rowsInserted, this, [this] {
        if (!isPending())
            reload();
    });
}

BoundComboBox::BoundComboBox(DataSource* source, const QString& field, QWidget* parent) : BoundComboBox(parent)
{
    bind(source, field);
}

void BoundComboBox::setEditable(bool editable)
{
    QComboBox::setEditable(editable);
    if (!editable)
        return;
    setInsertPolicy(QComboBox::NoInsert);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { touched(); });
    reload();
}

void BoundComboBox::load()
{
    const QString shown = fieldText();
    if (isEditable()) {
        if (currentText() != shown)
            setEditText(shown);
        return;
    }
    setCurrentIndex(findText(shown));
}

void BoundComboBox::store()
{
    readable()->setText(dataField(), currentText());
}

void BoundComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    leave();
    emit exited();
}
