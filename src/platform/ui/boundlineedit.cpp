#include "platform/ui/boundlineedit.h"

#include "platform/xbase/table.h"

#include <QFocusEvent>
#include <QValidator>

namespace {

class UpperCaseValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

} // namespace

BoundLineEdit::BoundLineEdit(QWidget* parent) : QLineEdit(parent), FieldLink(this)
{
    connect(this, &QLineEdit::textEdited, this, [this] { touched(); });
}

BoundLineEdit::BoundLineEdit(DataSource* source, const QString& field, QWidget* parent) : BoundLineEdit(parent)
{
    bind(source, field);
}

void BoundLineEdit::setEditMask(const QString& mask)
{
    m_mask = EditMask(mask);
    applyMask();
    reload();
}

void BoundLineEdit::setUpperCase(bool on)
{
    m_upperCase = on;
    applyMask();
}

void BoundLineEdit::applyMask()
{
    setInputMask(m_mask.inputMask(m_upperCase));
    if (m_upperCase && m_mask.isEmpty()) {
        if (!validator())
            setValidator(new UpperCaseValidator(this));
    } else if (auto* v = dynamic_cast<const UpperCaseValidator*>(validator())) {
        setValidator(nullptr);
        delete v;
    }
}

QString BoundLineEdit::value() const
{
    return m_mask.isEmpty() ? text() : m_mask.value(QLineEdit::displayText());
}

void BoundLineEdit::load()
{
    const xbase::FieldDef* def = fieldDef();
    if (def && m_mask.isEmpty())
        setMaxLength(def->type == 'M' ? 32767 : (def->type == 'D' ? 10 : def->width));
    const QString shown = fieldText();
    if (m_mask.isEmpty() ? text() != shown : value() != m_mask.value(shown))
        setText(shown);
}

void BoundLineEdit::store()
{
    readable()->setText(dataField(), value());
}

void BoundLineEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    leave();
    emit exited();
}
