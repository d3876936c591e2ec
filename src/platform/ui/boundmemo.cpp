#include "platform/ui/boundmemo.h"

#include "platform/ui/guard.h"
#include "platform/xbase/table.h"

#include <QFocusEvent>
#include <QTimer>

BoundMemo::BoundMemo(QWidget* parent) : QPlainTextEdit(parent), FieldLink(this)
{
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (isLoading() || isPending())
            return;
        bool editing = false;
        runGuarded([&] { editing = beginEdit(); });
        // The document is in the middle of a change here; put the field back afterwards.
        if (!editing)
            QTimer::singleShot(0, this, [this] { reload(); });
    });
}

BoundMemo::BoundMemo(DataSource* source, const QString& field, QWidget* parent) : BoundMemo(parent)
{
    bind(source, field);
}

void BoundMemo::load()
{
    QString shown = fieldText();
    if (const xbase::FieldDef* def = fieldDef(); def && def->type != 'M')
        while (shown.endsWith(QLatin1Char(' ')))
            shown.chop(1);
    if (toPlainText() != shown)
        setPlainText(shown);
}

void BoundMemo::store()
{
    readable()->setText(dataField(), toPlainText());
}

void BoundMemo::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    leave();
    emit exited();
}
