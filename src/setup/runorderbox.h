#pragma once

#include "setup/runorder.h"

#include <QListWidget>

class QMimeData;

// One box of the running-order window: a list whose items are dragged to other boxes
// of the same window. A drag carries the box and row it came from; the drop reports
// them with the row under the mouse (-1 below the last item) and leaves the move
// itself to the window.
class RunOrderBox : public QListWidget
{
    Q_OBJECT
public:
    RunOrderBox(setup::BoxId id, const void* owner, QWidget* parent = nullptr);

    setup::BoxId boxId() const { return m_id; }

    // What a drag of row carries; the drag the mouse starts sends the same.
    QMimeData* dragData(int row) const;

signals:
    void itemDropped(setup::BoxId source, int sourceRow, setup::BoxId target, int targetRow);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct Payload
    {
        setup::BoxId box;
        int row = -1;
    };
    std::optional<Payload> payload(const QMimeData* data) const;

    setup::BoxId m_id;
    const void* m_owner;
};
