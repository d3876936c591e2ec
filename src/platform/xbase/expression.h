#pragma once

#include "platform/xbase/codepage.h"
#include "platform/xbase/fielddef.h"

#include <QString>
#include <memory>

namespace xbase {

class RecordView;

// A compiled xBase expression over the fields of one table layout: index keys, filters and
// label texts.
//
// Supported: field names (case-insensitive), 'text' and "text" literals, numbers, .T./.F.,
// + and - on text (- moves the left operand's trailing blanks to the end), + - * / on numbers,
// unary -, comparisons = == <> # != < <= > >= $, .AND. .OR. .NOT., parentheses, and the
// functions upper lower trim rtrim ltrim alltrim str(n[,w[,d]]) val dtos dtoc ctod substr left
// right space len recno deleted iif date.
//
// Text is handled as the table's code-page bytes throughout, so keys compare like the stored
// bytes (memcmp). str() follows dBASE: width 10 by default, halves rounded away from zero,
// asterisks when the number does not fit.
class Expression
{
public:
    enum class Type { Character, Numeric, Date, Logical };

    Expression();
    ~Expression();
    Expression(const Expression&);
    Expression& operator=(const Expression&);
    Expression(Expression&&) noexcept;
    Expression& operator=(Expression&&) noexcept;

    // Compiles text against a field list; throws Error (quoting the expression) when it does
    // not compile. Field references are bound by position in fields.
    static Expression compile(const QString& text, const FieldList& fields = {},
                              const CodePage& codePage = CodePage::get(CodePage::Cp437));

    bool isNull() const { return !m_impl; }
    QString text() const;
    Type type() const;
    // Width of the result as dBASE computes it for an index key (sum of the parts; trim() keeps
    // the width of its argument; str() its width; dtos() 8; numeric keys 8, logical 1).
    int width() const;

    // Evaluation against a record of a table with the same field list. Without a record the
    // expression may not refer to fields (recno() gives 0).
    QString evaluateText(const RecordView& record) const;   // Character; other types as dBASE's text
    double evaluateNumber(const RecordView& record) const;  // Numeric (throws for other types)
    bool evaluateLogical(const RecordView& record) const;   // Logical (throws for other types)
    QString evaluateText() const;
    double evaluateNumber() const;
    bool evaluateLogical() const;

    // The fixed-width key bytes in the code page (padded with blanks or cut to width()).
    // Numeric keys are encoded so that bytewise order is numeric order.
    QByteArray key(const RecordView& record) const;
    // Appends the key of the record given as a decoded buffer to out (no allocation once out
    // has room). buffer includes the deletion byte.
    void appendKey(const char* buffer, quint32 recNo, QByteArray& out) const;
    // The same key written as exactly width() bytes to out. Keys made only of text and date
    // fields, literals, upper(), dtos(), the trims and + and - on text are made straight from
    // the record bytes (no evaluator); any other expression goes through appendKey().
    void writeKey(const char* buffer, quint32 recNo, char* out) const;
    bool hasDirectKey() const;
    // Turns a value typed by the user into key bytes for seeking: text is encoded as is,
    // numeric keys take a number, date keys "YYYYMMDD".
    QByteArray seekKey(const QString& value) const;

    struct Impl;

private:
    std::shared_ptr<const Impl> m_impl;
};

} // namespace xbase
