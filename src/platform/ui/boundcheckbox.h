#pragma once

#include "platform/ui/fieldlink.h"

#include <QCheckBox>

// A check box on an L field. A click puts the table into Edit state and writes "T" or "F"
// into the buffer at once, before any other handler of the click runs.
class BoundCheckBox : public QCheckBox, public FieldLink
{
    Q_OBJECT
public:
    explicit BoundCheckBox(QWidget* parent = nullptr);
    BoundCheckBox(const QString& text, DataSource* source, const QString& field, QWidget* parent = nullptr);

protected:
    void load() override;
    void store() override;
};
