#pragma once

#include "platform/ui/fieldlink.h"

#include <QComboBox>

// A drop-down pick list on a C field; the window fills the items. Picking an item writes it
// at once (starting Edit state). When the box is editable, typed text is written when it
// loses the focus or the record is updated.
class BoundComboBox : public QComboBox, public FieldLink
{
    Q_OBJECT
public:
    explicit BoundComboBox(QWidget* parent = nullptr);
    BoundComboBox(DataSource* source, const QString& field, QWidget* parent = nullptr);

    void setEditable(bool editable);

signals:
    void exited();

protected:
    void load() override;
    void store() override;
    void focusOutEvent(QFocusEvent* event) override;
};
