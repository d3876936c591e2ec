#pragma once

#include "platform/ui/fieldlink.h"

#include <QSpinBox>

// A spin box on an N field. Every change the user makes is written into the buffer at once
// (starting Edit state). With typing not allowed only the arrows and the arrow keys change it.
class BoundSpinBox : public QSpinBox, public FieldLink
{
    Q_OBJECT
public:
    explicit BoundSpinBox(QWidget* parent = nullptr);
    BoundSpinBox(DataSource* source, const QString& field, QWidget* parent = nullptr);

    void setTypingAllowed(bool allowed);
    bool typingAllowed() const;

protected:
    void load() override;
    void store() override;
};
