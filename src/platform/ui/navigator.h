#pragma once

#include "platform/ui/datasource.h"

#include <QPointer>
#include <QWidget>

class QToolButton;

// First / Prior / Next / Last (and optionally Refresh) over a data source's table. A button
// is enabled when its move can go somewhere; a move that the table refuses (a BeforeNavigate
// handler or a vetoed post of the record being edited) leaves everything where it was.
class Navigator : public QWidget
{
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Refresh };
    Q_ENUM(Button)

    explicit Navigator(DataSource* source = nullptr, QWidget* parent = nullptr);

    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_source; }

    void setRefreshVisible(bool visible);
    // A hint "short|long": the short part is the tool tip, the long part the status tip.
    void setHint(Button button, const QString& hint);
    QToolButton* button(Button button) const { return m_buttons[button]; }

    // Does what clicking the button does; false when the table refused or could not move.
    bool trigger(Button button);

signals:
    void clicked(Navigator::Button button);   // after the move

protected:
    void changeEvent(QEvent* event) override;

private:
    void updateButtons();

    QPointer<DataSource> m_source;
    QToolButton* m_buttons[5] = {};
    QList<QMetaObject::Connection> m_connections;
};
