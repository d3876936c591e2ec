#include "setup/runorderbox.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

namespace {

const QString kMimeType = QStringLiteral("application/x-velmora-runorder-item");

} // namespace

RunOrderBox::RunOrderBox(setup::BoxId id, const void* owner, QWidget* parent)
    : QListWidget(parent), m_id(id), m_owner(owner)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(false);
}

QMimeData* RunOrderBox::dragData(int row) const
{
    auto* data = new QMimeData;
    const QString text = QStringLiteral("%1 %2 %3 %4")
                             .arg(quintptr(m_owner))
                             .arg(m_id.kind == setup::BoxKind::Classes ? 0 : 1)
                             .arg(m_id.index)
                             .arg(row);
    data->setData(kMimeType, text.toLatin1());
    return data;
}

std::optional<RunOrderBox::Payload> RunOrderBox::payload(const QMimeData* data) const
{
    if (!data || !data->hasFormat(kMimeType))
        return std::nullopt;
    const QList<QByteArray> parts = data->data(kMimeType).split(' ');
    if (parts.size() != 4 || parts[0].toULongLong() != quintptr(m_owner))
        return std::nullopt;
    Payload p;
    p.box.kind = parts[1] == "0" ? setup::BoxKind::Classes : setup::BoxKind::Heights;
    p.box.index = parts[2].toInt();
    p.row = parts[3].toInt();
    return p;
}

void RunOrderBox::startDrag(Qt::DropActions)
{
    const int row = currentRow();
    if (row < 0)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(dragData(row));
    drag->exec(Qt::MoveAction);
}

void RunOrderBox::dragEnterEvent(QDragEnterEvent* event)
{
    // Every box takes a drag from a box of this window; the drop decides what happens.
    if (payload(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void RunOrderBox::dragMoveEvent(QDragMoveEvent* event)
{
    if (payload(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void RunOrderBox::dropEvent(QDropEvent* event)
{
    const std::optional<Payload> from = payload(event->mimeData());
    if (!from) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    const QModelIndex under = indexAt(event->position().toPoint());
    emit itemDropped(from->box, from->row, m_id, under.isValid() ? under.row() : -1);
}
