#pragma once

#include "platform/ui/fieldlink.h"

#include <QPlainTextEdit>

// A multi-line text on an M (or C) field. Typing starts Edit state; the text reaches the
// buffer when the memo loses the focus or the record is updated.
class BoundMemo : public QPlainTextEdit, public FieldLink
{
    Q_OBJECT
public:
    explicit BoundMemo(QWidget* parent = nullptr);
    BoundMemo(DataSource* source, const QString& field, QWidget* parent = nullptr);

signals:
    void exited();

protected:
    void load() override;
    void store() override;
    void focusOutEvent(QFocusEvent* event) override;
};
