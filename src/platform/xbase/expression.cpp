// The xBase expression compiler and evaluator. Text values are the table's code-page bytes;
// index keys are appended straight into a buffer without a QString per field.

#include "platform/xbase/expression.h"

#include "platform/xbase/error.h"
#include "platform/xbase/record.h"
#include "platform/xbase/tabledata.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace xbase {

namespace {

using Type = Expression::Type;

enum class Kind {
    Field, Text, Number, Logic, Concat, ConcatTrim, Add, Sub, Mul, Div, Neg, Compare, And, Or, Not, Call
};

enum class Cmp { Eq, ExactEq, Ne, Lt, Le, Gt, Ge, Contains };

enum class Fn {
    Upper, Lower, Trim, LTrim, AllTrim, Str, Val, Dtos, Dtoc, Ctod, Substr, Left, Right, Space, Len,
    Recno, Deleted, Iif, Date
};

struct FnInfo
{
    const char* name;
    Fn fn;
    int minArgs, maxArgs;
};

constexpr FnInfo kFunctions[] = {
    {"UPPER", Fn::Upper, 1, 1},   {"LOWER", Fn::Lower, 1, 1},     {"TRIM", Fn::Trim, 1, 1},
    {"RTRIM", Fn::Trim, 1, 1},    {"LTRIM", Fn::LTrim, 1, 1},     {"ALLTRIM", Fn::AllTrim, 1, 1},
    {"STR", Fn::Str, 1, 3},       {"VAL", Fn::Val, 1, 1},         {"DTOS", Fn::Dtos, 1, 1},
    {"DTOC", Fn::Dtoc, 1, 1},     {"CTOD", Fn::Ctod, 1, 1},       {"SUBSTR", Fn::Substr, 2, 3},
    {"LEFT", Fn::Left, 2, 2},     {"RIGHT", Fn::Right, 2, 2},     {"SPACE", Fn::Space, 1, 1},
    {"LEN", Fn::Len, 1, 1},       {"RECNO", Fn::Recno, 0, 0},     {"DELETED", Fn::Deleted, 0, 0},
    {"IIF", Fn::Iif, 3, 3},       {"DATE", Fn::Date, 0, 0},
};

struct Node
{
    explicit Node(Kind k) : kind(k) {}
    Kind kind;
    Type type = Type::Character;
    int width = 0;
    int a = -1, b = -1;
    std::vector<int> args;
    // Field
    int offset = 0;
    char fieldType = 'C';
    // Literals
    double number = 0;
    QByteArray text;
    bool logic = false;
    bool constant = false;
    Cmp cmp = Cmp::Eq;
    Fn fn = Fn::Upper;
};

struct Ctx
{
    const char* buf;
    quint32 recNo;
};

// One step of a key made straight from the record bytes. Marks push a position in the key on a
// small stack; the trims and the blank moving of text "-" pop it.
struct KeyStep
{
    enum Code : quint8 { Copy, CopyUpper, Literal, Mark, MoveBlanks, PutBlanks, TrimRight, TrimLeft };
    Code code;
    int offset = 0;   // in the record (Copy), in the literals (Literal)
    int width = 0;
};

constexpr int kKeyStackDepth = 16;

} // namespace

struct Expression::Impl
{
    QString source;
    std::vector<Node> nodes;
    int root = -1;
    const CodePage* codePage = nullptr;
    int width = 0;
    // The direct key (see Expression::writeKey); empty when the general evaluator makes keys.
    std::vector<KeyStep> keySteps;
    QByteArray keyLiterals;

    bool planKey(int n, bool upper, int& length, int& depth, int level);
    void runKey(const char* buf, char* out) const;

    void str(int n, const Ctx& c, QByteArray& out) const;
    double num(int n, const Ctx& c) const;
    bool logic(int n, const Ctx& c) const;
    QByteArray strValue(int n, const Ctx& c) const
    {
        QByteArray out;
        str(n, c, out);
        return out;
    }
};

namespace {

// ---------------------------------------------------------------------------------------
// Parsing

struct Token
{
    enum Kind { End, Ident, Number, String, Op, Dot } kind = End;
    QString text;   // identifier (upper case), operator, dot word (upper case)
    QString value;  // string literal contents
    double number = 0;
    int pos = 0;
};

class Parser
{
public:
    Parser(const QString& src, const FieldList& fields, const CodePage& cp, Expression::Impl& impl)
        : m_src(src), m_fields(fields), m_cp(cp), m_impl(impl)
    {
        int offset = 1;
        for (const FieldDef& f : fields) {
            m_offsets.push_back(offset);
            offset += f.width;
        }
        advance();
    }

    int parse()
    {
        const int n = parseOr();
        if (m_tok.kind != Token::End)
            fail(QStringLiteral("unexpected \"%1\"").arg(m_tok.text.isEmpty() ? m_tok.value : m_tok.text));
        return n;
    }

private:
    [[noreturn]] void fail(const QString& what) const
    {
        throw Error(QStringLiteral("Expression \"%1\": %2").arg(m_src, what));
    }

    QChar peek(int k = 0) const { return m_i + k < m_src.size() ? m_src[m_i + k] : QChar(); }

    void advance()
    {
        while (m_i < m_src.size() && m_src[m_i].isSpace())
            ++m_i;
        m_tok = Token();
        m_tok.pos = m_i;
        if (m_i >= m_src.size())
            return;
        const QChar c = m_src[m_i];
        if (c.isLetter() || c == QLatin1Char('_')) {
            int j = m_i;
            while (j < m_src.size() && (m_src[j].isLetterOrNumber() || m_src[j] == QLatin1Char('_')))
                ++j;
            m_tok.kind = Token::Ident;
            m_tok.text = m_src.mid(m_i, j - m_i).toUpper();
            m_i = j;
            // alias->field: the alias is ignored
            if (peek() == QLatin1Char('-') && peek(1) == QLatin1Char('>')) {
                m_i += 2;
                advance();
                if (m_tok.kind != Token::Ident)
                    fail(QStringLiteral("a field name must follow \"->\""));
            }
            return;
        }
        if (c.isDigit() || (c == QLatin1Char('.') && peek(1).isDigit())) {
            int j = m_i;
            while (j < m_src.size() && (m_src[j].isDigit() || m_src[j] == QLatin1Char('.')))
                ++j;
            bool ok = false;
            m_tok.kind = Token::Number;
            m_tok.text = m_src.mid(m_i, j - m_i);
            m_tok.number = m_tok.text.toDouble(&ok);
            if (!ok)
                fail(QStringLiteral("bad number \"%1\"").arg(m_tok.text));
            m_i = j;
            return;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            const int end = m_src.indexOf(close, m_i + 1);
            if (end < 0)
                fail(QStringLiteral("a text is not closed"));
            m_tok.kind = Token::String;
            m_tok.value = m_src.mid(m_i + 1, end - m_i - 1);
            m_i = end + 1;
            return;
        }
        if (c == QLatin1Char('.')) {
            int j = m_i + 1;
            while (j < m_src.size() && m_src[j].isLetter())
                ++j;
            if (j < m_src.size() && m_src[j] == QLatin1Char('.') && j > m_i + 1) {
                m_tok.kind = Token::Dot;
                m_tok.text = m_src.mid(m_i + 1, j - m_i - 1).toUpper();
                m_i = j + 1;
                return;
            }
            fail(QStringLiteral("unexpected \".\""));
        }
        static const char* const twoChar[] = {"==", "<>", "<=", ">=", "!=", "**"};
        for (const char* op : twoChar) {
            if (c == QLatin1Char(op[0]) && peek(1) == QLatin1Char(op[1])) {
                m_tok.kind = Token::Op;
                m_tok.text = QLatin1String(op);
                m_i += 2;
                return;
            }
        }
        if (QStringLiteral("+-*/()=<>#$,!").contains(c)) {
            m_tok.kind = Token::Op;
            m_tok.text = QString(c);
            ++m_i;
            return;
        }
        fail(QStringLiteral("unexpected \"%1\"").arg(c));
    }

    bool isOp(const char* op) const { return m_tok.kind == Token::Op && m_tok.text == QLatin1String(op); }
    bool isDot(const char* w) const { return m_tok.kind == Token::Dot && m_tok.text == QLatin1String(w); }
    void expect(const char* op)
    {
        if (!isOp(op))
            fail(QStringLiteral("\"%1\" expected").arg(QLatin1String(op)));
        advance();
    }

    int add(Node n)
    {
        m_impl.nodes.push_back(std::move(n));
        return int(m_impl.nodes.size() - 1);
    }
    const Node& node(int i) const { return m_impl.nodes[size_t(i)]; }

    static const char* typeName(Type t)
    {
        switch (t) {
        case Type::Character: return "text";
        case Type::Numeric: return "number";
        case Type::Date: return "date";
        case Type::Logical: return "logical";
        }
        return "?";
    }

    void requireType(int n, Type t, const char* where) const
    {
        if (node(n).type != t)
            fail(QStringLiteral("%1 needs a %2, not a %3").arg(QLatin1String(where), QLatin1String(typeName(t)),
                                                              QLatin1String(typeName(node(n).type))));
    }

    int addBinary(Kind kind, Type type, int width, int a, int b)
    {
        Node n{kind};
        n.type = type;
        n.width = width;
        n.a = a;
        n.b = b;
        return add(n);
    }

    // left .WORD. right .WORD. ... on logical operands, each parsed by operand.
    int parseJoined(const char* word, const char* where, Kind kind, int (Parser::*operand)())
    {
        int left = (this->*operand)();
        while (isDot(word)) {
            advance();
            const int right = (this->*operand)();
            requireType(left, Type::Logical, where);
            requireType(right, Type::Logical, where);
            left = addBinary(kind, Type::Logical, 1, left, right);
        }
        return left;
    }

    int parseOr() { return parseJoined("OR", ".OR.", Kind::Or, &Parser::parseAnd); }
    int parseAnd() { return parseJoined("AND", ".AND.", Kind::And, &Parser::parseNot); }

    int parseNot()
    {
        if (isDot("NOT") || isOp("!")) {
            advance();
            const int inner = parseNot();
            requireType(inner, Type::Logical, ".NOT.");
            return addBinary(Kind::Not, Type::Logical, 1, inner, -1);
        }
        return parseCompare();
    }

    int parseCompare()
    {
        const int left = parseAdditive();
        struct OpMap { const char* op; Cmp cmp; };
        static const OpMap ops[] = {{"==", Cmp::ExactEq}, {"=", Cmp::Eq}, {"<>", Cmp::Ne}, {"#", Cmp::Ne},
                                    {"!=", Cmp::Ne}, {"<=", Cmp::Le}, {">=", Cmp::Ge}, {"<", Cmp::Lt},
                                    {">", Cmp::Gt}, {"$", Cmp::Contains}};
        for (const OpMap& o : ops) {
            if (isOp(o.op)) {
                advance();
                const int right = parseAdditive();
                if (node(left).type != node(right).type)
                    fail(QStringLiteral("cannot compare a %1 with a %2").arg(QLatin1String(typeName(node(left).type)),
                                                                            QLatin1String(typeName(node(right).type))));
                if (o.cmp == Cmp::Contains)
                    requireType(left, Type::Character, "$");
                const int n = addBinary(Kind::Compare, Type::Logical, 1, left, right);
                m_impl.nodes[size_t(n)].cmp = o.cmp;
                return n;
            }
        }
        return left;
    }

    int parseAdditive()
    {
        int left = parseMultiplicative();
        while (isOp("+") || isOp("-")) {
            const bool plus = isOp("+");
            advance();
            const int right = parseMultiplicative();
            const Type lt = node(left).type, rt = node(right).type;
            if (lt == Type::Character && rt == Type::Character)
                left = addBinary(plus ? Kind::Concat : Kind::ConcatTrim, Type::Character,
                                 node(left).width + node(right).width, left, right);
            else if (lt == Type::Numeric && rt == Type::Numeric)
                left = addBinary(plus ? Kind::Add : Kind::Sub, Type::Numeric, 8, left, right);
            else
                fail(QStringLiteral("\"%1\" cannot join a %2 and a %3").arg(QLatin1String(plus ? "+" : "-"),
                                                                           QLatin1String(typeName(lt)),
                                                                           QLatin1String(typeName(rt))));
        }
        return left;
    }

    int parseMultiplicative()
    {
        int left = parseUnary();
        while (isOp("*") || isOp("/")) {
            const bool mul = isOp("*");
            advance();
            const int right = parseUnary();
            requireType(left, Type::Numeric, mul ? "*" : "/");
            requireType(right, Type::Numeric, mul ? "*" : "/");
            left = addBinary(mul ? Kind::Mul : Kind::Div, Type::Numeric, 8, left, right);
        }
        return left;
    }

    int parseUnary()
    {
        if (isOp("-") || isOp("+")) {
            const bool neg = isOp("-");
            advance();
            const int inner = parseUnary();
            requireType(inner, Type::Numeric, neg ? "-" : "+");
            if (!neg)
                return inner;
            Node n{Kind::Neg};
            n.type = Type::Numeric;
            n.width = 8;
            n.a = inner;
            n.constant = node(inner).constant;
            n.number = -node(inner).number;
            return add(n);
        }
        return parsePrimary();
    }

    int parsePrimary()
    {
        if (isOp("(")) {
            advance();
            const int inner = parseOr();
            expect(")");
            return inner;
        }
        if (m_tok.kind == Token::Number) {
            Node n{Kind::Number};
            n.type = Type::Numeric;
            n.width = 8;
            n.number = m_tok.number;
            n.constant = true;
            advance();
            return add(n);
        }
        if (m_tok.kind == Token::String) {
            Node n{Kind::Text};
            n.type = Type::Character;
            n.text = m_cp.encode(m_tok.value);
            n.width = int(n.text.size());
            n.constant = true;
            advance();
            return add(n);
        }
        if (m_tok.kind == Token::Dot) {
            const QString w = m_tok.text;
            if (w == QLatin1String("T") || w == QLatin1String("F") || w == QLatin1String("Y") || w == QLatin1String("N")) {
                Node n{Kind::Logic};
                n.type = Type::Logical;
                n.width = 1;
                n.logic = w == QLatin1String("T") || w == QLatin1String("Y");
                n.constant = true;
                advance();
                return add(n);
            }
            fail(QStringLiteral("unexpected \".%1.\"").arg(w));
        }
        if (m_tok.kind == Token::Ident) {
            const QString name = m_tok.text;
            advance();
            if (isOp("("))
                return parseCall(name);
            for (int i = 0; i < m_fields.size(); ++i) {
                const FieldDef& f = m_fields[i];
                if (f.name.compare(name, Qt::CaseInsensitive) != 0)
                    continue;
                Node n{Kind::Field};
                n.offset = m_offsets[size_t(i)];
                n.fieldType = f.type;
                n.width = f.width;
                switch (f.type) {
                case 'N': case 'F': n.type = Type::Numeric; break;
                case 'D': n.type = Type::Date; n.width = 8; break;
                case 'L': n.type = Type::Logical; break;
                default: n.type = Type::Character; break;
                }
                return add(n);
            }
            fail(QStringLiteral("unknown field \"%1\"").arg(name.toLower()));
        }
        if (m_tok.kind == Token::End)
            fail(QStringLiteral("the expression ends too early"));
        fail(QStringLiteral("unexpected \"%1\"").arg(m_tok.text));
    }

    int parseCall(const QString& name)
    {
        const FnInfo* info = nullptr;
        for (const FnInfo& f : kFunctions) {
            const QLatin1String full(f.name);
            if (name == full || (name.size() >= 4 && full.startsWith(name))) {
                info = &f;
                break;
            }
        }
        if (!info)
            fail(QStringLiteral("unknown function %1()").arg(name.toLower()));
        expect("(");
        std::vector<int> args;
        if (!isOp(")")) {
            args.push_back(parseOr());
            while (isOp(",")) {
                advance();
                args.push_back(parseOr());
            }
        }
        expect(")");
        const QString fname = QString::fromLatin1(info->name).toLower() + QLatin1String("()");
        if (int(args.size()) < info->minArgs || int(args.size()) > info->maxArgs)
            fail(QStringLiteral("%1 takes %2 argument(s)").arg(fname).arg(info->minArgs == info->maxArgs
                                                                              ? QString::number(info->minArgs)
                                                                              : QStringLiteral("%1 to %2").arg(info->minArgs).arg(info->maxArgs)));
        const QByteArray fnameUtf8 = fname.toUtf8();
        const char* where = fnameUtf8.constData();
        auto constInt = [&](int i, int fallback) {
            return node(args[size_t(i)]).constant ? int(node(args[size_t(i)]).number) : fallback;
        };
        Node n{Kind::Call};
        n.fn = info->fn;
        n.args = args;
        switch (info->fn) {
        case Fn::Upper: case Fn::Lower: case Fn::Trim: case Fn::LTrim: case Fn::AllTrim:
            requireType(args[0], Type::Character, where);
            n.type = Type::Character;
            n.width = node(args[0]).width;
            break;
        case Fn::Str:
            requireType(args[0], Type::Numeric, where);
            for (size_t i = 1; i < args.size(); ++i)
                requireType(args[i], Type::Numeric, where);
            n.type = Type::Character;
            n.width = args.size() > 1 ? std::max(0, constInt(1, 10)) : 10;
            break;
        case Fn::Val:
            requireType(args[0], Type::Character, where);
            n.type = Type::Numeric;
            n.width = 8;
            break;
        case Fn::Dtos: case Fn::Dtoc:
            requireType(args[0], Type::Date, where);
            n.type = Type::Character;
            n.width = info->fn == Fn::Dtos ? 8 : 10;
            break;
        case Fn::Ctod:
            requireType(args[0], Type::Character, where);
            n.type = Type::Date;
            n.width = 8;
            break;
        case Fn::Substr: {
            requireType(args[0], Type::Character, where);
            requireType(args[1], Type::Numeric, where);
            n.type = Type::Character;
            const int start = constInt(1, 1);
            n.width = std::max(0, node(args[0]).width - std::max(start, 1) + 1);
            if (args.size() > 2) {
                requireType(args[2], Type::Numeric, where);
                n.width = std::min(n.width, std::max(0, constInt(2, n.width)));
            }
            break;
        }
        case Fn::Left: case Fn::Right:
            requireType(args[0], Type::Character, where);
            requireType(args[1], Type::Numeric, where);
            n.type = Type::Character;
            n.width = std::clamp(constInt(1, node(args[0]).width), 0, node(args[0]).width);
            break;
        case Fn::Space:
            requireType(args[0], Type::Numeric, where);
            n.type = Type::Character;
            n.width = std::max(0, constInt(0, 0));
            break;
        case Fn::Len:
            requireType(args[0], Type::Character, where);
            n.type = Type::Numeric;
            n.width = 8;
            break;
        case Fn::Recno:
            n.type = Type::Numeric;
            n.width = 8;
            break;
        case Fn::Deleted:
            n.type = Type::Logical;
            n.width = 1;
            break;
        case Fn::Date:
            n.type = Type::Date;
            n.width = 8;
            break;
        case Fn::Iif:
            requireType(args[0], Type::Logical, where);
            if (node(args[1]).type != node(args[2]).type)
                fail(QStringLiteral("iif() needs two values of one type"));
            n.type = node(args[1]).type;
            n.width = std::max(node(args[1]).width, node(args[2]).width);
            break;
        }
        return add(n);
    }

    const QString& m_src;
    const FieldList& m_fields;
    const CodePage& m_cp;
    Expression::Impl& m_impl;
    std::vector<int> m_offsets;
    Token m_tok;
    int m_i = 0;
};

// ---------------------------------------------------------------------------------------
// Evaluation helpers

void appendBlanks(QByteArray& out, qsizetype n)
{
    if (n > 0)
        out.append(n, ' ');
}

// Dates are handled as their 8 stored characters, YYYYMMDD.
QByteArray dateBytes(const QDate& d)
{
    if (!d.isValid())
        return QByteArray(8, ' ');
    return QByteArray::number(d.year()).rightJustified(4, '0') + QByteArray::number(d.month()).rightJustified(2, '0')
        + QByteArray::number(d.day()).rightJustified(2, '0');
}

// Order-preserving bytes of a double.
void appendNumericKey(double v, QByteArray& out)
{
    if (v == 0)
        v = 0;   // no negative zero
    quint64 bits;
    std::memcpy(&bits, &v, 8);
    bits = (bits & 0x8000000000000000ULL) ? ~bits : (bits | 0x8000000000000000ULL);
    for (int i = 7; i >= 0; --i)
        out.append(char((bits >> (8 * i)) & 0xFF));
}

int compareBlankPadded(const QByteArray& a, const QByteArray& b)
{
    const qsizetype n = std::max(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char ca = i < a.size() ? static_cast<unsigned char>(a[i]) : ' ';
        const unsigned char cb = i < b.size() ? static_cast<unsigned char>(b[i]) : ' ';
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return 0;
}

} // namespace

void Expression::Impl::str(int i, const Ctx& c, QByteArray& out) const
{
    const Node& n = nodes[size_t(i)];
    switch (n.kind) {
    case Kind::Field:
        if (c.buf)
            out.append(c.buf + n.offset, n.width);
        else
            appendBlanks(out, n.width);
        return;
    case Kind::Text:
        out.append(n.text);
        return;
    case Kind::Concat:
        str(n.a, c, out);
        str(n.b, c, out);
        return;
    case Kind::ConcatTrim: {
        // Only the left operand's own trailing blanks move, not those of text before it.
        const qsizetype from = out.size();
        str(n.a, c, out);
        qsizetype blanks = 0;
        while (from + blanks < out.size() && out[out.size() - 1 - blanks] == ' ')
            ++blanks;
        out.chop(blanks);
        str(n.b, c, out);
        appendBlanks(out, blanks);
        return;
    }
    case Kind::Call:
        break;
    default:
        if (n.type == Type::Date) {
            out.append(QByteArray(8, ' '));
            return;
        }
        out.append(QByteArray(n.width, ' '));
        return;
    }
    const auto arg = [&](size_t k) { return n.args[k]; };
    switch (n.fn) {
    case Fn::Upper:
    case Fn::Lower: {
        const qsizetype from = out.size();
        str(arg(0), c, out);
        char* p = out.data();
        if (n.fn == Fn::Upper) {
            const auto& table = codePage->upperTable();
            for (qsizetype k = from; k < out.size(); ++k)
                p[k] = char(table[static_cast<unsigned char>(p[k])]);
        } else {
            for (qsizetype k = from; k < out.size(); ++k) {
                const QChar ch = codePage->decode(static_cast<unsigned char>(p[k]));
                const QChar lower = ch.toLower();
                if (lower != ch) {
                    const unsigned char e = codePage->encode(lower);
                    if (e != '?')
                        p[k] = char(e);
                }
            }
        }
        return;
    }
    case Fn::Trim: {
        const qsizetype from = out.size();
        str(arg(0), c, out);
        qsizetype end = out.size();
        while (end > from && out[end - 1] == ' ')
            --end;
        out.truncate(end);
        return;
    }
    case Fn::LTrim:
    case Fn::AllTrim: {
        const qsizetype from = out.size();
        str(arg(0), c, out);
        qsizetype skip = 0;
        while (from + skip < out.size() && out[from + skip] == ' ')
            ++skip;
        out.remove(from, skip);
        if (n.fn == Fn::AllTrim) {
            qsizetype end = out.size();
            while (end > from && out[end - 1] == ' ')
                --end;
            out.truncate(end);
        }
        return;
    }
    case Fn::Str: {
        const double v = num(arg(0), c);
        const int w = n.args.size() > 1 ? int(num(arg(1), c)) : 10;
        const int d = n.args.size() > 2 ? int(num(arg(2), c)) : 0;
        if (w <= 0)
            return;
        const qsizetype from = out.size();
        out.resize(from + w);
        detail::formatNumber(v, w, d, out.data() + from);
        return;
    }
    case Fn::Dtos:
        str(arg(0), c, out);
        return;
    case Fn::Dtoc: {
        const QByteArray d = strValue(arg(0), c);
        if (d.trimmed().isEmpty())
            appendBlanks(out, 10);
        else
            out.append(d.mid(4, 2) + '/' + d.mid(6, 2) + '/' + d.left(4));
        return;
    }
    case Fn::Substr:
    case Fn::Left:
    case Fn::Right: {
        const QByteArray s = strValue(arg(0), c);
        qsizetype start = 0, len = s.size();
        if (n.fn == Fn::Substr) {
            start = qsizetype(num(arg(1), c)) - 1;
            if (start < 0)
                start = 0;
            len = n.args.size() > 2 ? qsizetype(num(arg(2), c)) : s.size() - start;
        } else if (n.fn == Fn::Left) {
            len = qsizetype(num(arg(1), c));
        } else {
            len = std::min<qsizetype>(s.size(), qsizetype(num(arg(1), c)));
            start = s.size() - std::max<qsizetype>(len, 0);
        }
        if (len > 0 && start < s.size())
            out.append(s.mid(start, len));
        return;
    }
    case Fn::Space:
        appendBlanks(out, qsizetype(num(arg(0), c)));
        return;
    case Fn::Ctod: {
        const QString t = QString::fromLatin1(strValue(arg(0), c)).trimmed();
        out.append(dateBytes(QDate::fromString(t, QStringLiteral("MM/dd/yyyy"))));
        return;
    }
    case Fn::Date:
        out.append(dateBytes(QDate::currentDate()));
        return;
    case Fn::Iif:
        str(logic(arg(0), c) ? arg(1) : arg(2), c, out);
        return;
    default:
        appendBlanks(out, n.width);
        return;
    }
}

double Expression::Impl::num(int i, const Ctx& c) const
{
    const Node& n = nodes[size_t(i)];
    switch (n.kind) {
    case Kind::Field:
        return c.buf ? detail::parseNumber(c.buf + n.offset, n.width) : 0.0;
    case Kind::Number:
        return n.number;
    case Kind::Add: return num(n.a, c) + num(n.b, c);
    case Kind::Sub: return num(n.a, c) - num(n.b, c);
    case Kind::Mul: return num(n.a, c) * num(n.b, c);
    case Kind::Div: {
        const double d = num(n.b, c);
        if (d == 0)
            throw Error(QStringLiteral("Expression \"%1\": division by zero").arg(source));
        return num(n.a, c) / d;
    }
    case Kind::Neg: return -num(n.a, c);
    case Kind::Call:
        switch (n.fn) {
        case Fn::Val: {
            const QByteArray s = strValue(n.args[0], c);
            // leading number only, like dBASE
            qsizetype k = 0;
            while (k < s.size() && s[k] == ' ')
                ++k;
            qsizetype e = k;
            if (e < s.size() && (s[e] == '-' || s[e] == '+'))
                ++e;
            while (e < s.size() && ((s[e] >= '0' && s[e] <= '9') || s[e] == '.'))
                ++e;
            return detail::parseNumber(s.constData() + k, int(e - k));
        }
        case Fn::Len: return double(strValue(n.args[0], c).size());
        case Fn::Recno: return double(c.recNo);
        case Fn::Iif: return logic(n.args[0], c) ? num(n.args[1], c) : num(n.args[2], c);
        default: break;
        }
        break;
    default:
        break;
    }
    return 0;
}

bool Expression::Impl::logic(int i, const Ctx& c) const
{
    const Node& n = nodes[size_t(i)];
    switch (n.kind) {
    case Kind::Field: {
        if (!c.buf)
            return false;
        const char v = c.buf[n.offset];
        return v == 'T' || v == 't' || v == 'Y' || v == 'y';
    }
    case Kind::Logic: return n.logic;
    case Kind::And: return logic(n.a, c) && logic(n.b, c);
    case Kind::Or: return logic(n.a, c) || logic(n.b, c);
    case Kind::Not: return !logic(n.a, c);
    case Kind::Compare: {
        const Type t = nodes[size_t(n.a)].type;
        int order = 0;
        if (t == Type::Numeric) {
            const double a = num(n.a, c), b = num(n.b, c);
            order = a < b ? -1 : (a > b ? 1 : 0);
        } else if (t == Type::Logical) {
            const bool a = logic(n.a, c), b = logic(n.b, c);
            order = int(a) - int(b);
        } else {
            const QByteArray a = strValue(n.a, c), b = strValue(n.b, c);
            switch (n.cmp) {
            case Cmp::Eq: return a.startsWith(b);   // dBASE: the right side's length decides
            case Cmp::Ne: return !a.startsWith(b);
            case Cmp::ExactEq: return a == b;
            case Cmp::Contains: return !a.isEmpty() && b.contains(a);
            default: order = compareBlankPadded(a, b); break;
            }
        }
        switch (n.cmp) {
        case Cmp::Eq: case Cmp::ExactEq: return order == 0;
        case Cmp::Ne: return order != 0;
        case Cmp::Lt: return order < 0;
        case Cmp::Le: return order <= 0;
        case Cmp::Gt: return order > 0;
        case Cmp::Ge: return order >= 0;
        case Cmp::Contains: return false;
        }
        return false;
    }
    case Kind::Call:
        if (n.fn == Fn::Deleted)
            return c.buf && c.buf[0] == '*';
        if (n.fn == Fn::Iif)
            return logic(n.args[0], c) ? logic(n.args[1], c) : logic(n.args[2], c);
        return false;
    default:
        return false;
    }
}

// ---------------------------------------------------------------------------------------
// Direct keys: the common key expressions run as a short list of byte copies over the record,
// which is what building a tag over tens of thousands of records spends its time on.

// Appends the steps of node n (upper-cased when upper) and adds its greatest length; false
// when the node is not of the simple kind.
bool Expression::Impl::planKey(int i, bool upper, int& length, int& depth, int level)
{
    const Node& n = nodes[size_t(i)];
    if (level > kKeyStackDepth)
        return false;
    const auto mark = [&](int count) {
        depth = std::max(depth, level + count);
        keySteps.insert(keySteps.end(), size_t(count), KeyStep{KeyStep::Mark});
    };
    switch (n.kind) {
    case Kind::Field:
        if (n.type != Type::Character && n.type != Type::Date)
            return false;
        keySteps.push_back({upper ? KeyStep::CopyUpper : KeyStep::Copy, n.offset, n.width});
        length += n.width;
        return true;
    case Kind::Text: {
        QByteArray text = n.text;
        if (upper)
            for (char& ch : text)
                ch = char(codePage->upper(static_cast<unsigned char>(ch)));
        keySteps.push_back({KeyStep::Literal, int(keyLiterals.size()), int(text.size())});
        keyLiterals.append(text);
        length += int(text.size());
        return true;
    }
    case Kind::Concat:
        return planKey(n.a, upper, length, depth, level) && planKey(n.b, upper, length, depth, level);
    case Kind::ConcatTrim:
        mark(1);
        if (!planKey(n.a, upper, length, depth, level + 1))
            return false;
        keySteps.push_back({KeyStep::MoveBlanks});
        if (!planKey(n.b, upper, length, depth, level + 1))
            return false;
        keySteps.push_back({KeyStep::PutBlanks});
        return true;
    case Kind::Call:
        switch (n.fn) {
        case Fn::Upper:
            // Upper case keeps blanks blank and nothing else becomes one, so it may be applied
            // to the copied bytes before the trims.
            return planKey(n.args[0], true, length, depth, level);
        case Fn::Dtos:
            return planKey(n.args[0], upper, length, depth, level);
        case Fn::Trim:
        case Fn::LTrim:
        case Fn::AllTrim: {
            // Each trim pops the mark of where its operand starts.
            const bool left = n.fn != Fn::Trim, right = n.fn != Fn::LTrim;
            const int marks = int(left) + int(right);
            mark(marks);
            if (!planKey(n.args[0], upper, length, depth, level + marks))
                return false;
            if (left)
                keySteps.push_back({KeyStep::TrimLeft});
            if (right)
                keySteps.push_back({KeyStep::TrimRight});
            return true;
        }
        default:
            return false;
        }
    default:
        return false;
    }
}

namespace {

// Upper-cases n bytes through the code page's table. Eight bytes of plain ASCII at a time take
// the ASCII rule (a-z less 0x20), which is what the table holds for the lower half of every page.
void copyUpper(const std::array<unsigned char, 256>& table, const char* from, char* to, int n)
{
    constexpr quint64 ones = 0x0101010101010101ULL;
    int k = 0;
    for (; k + 8 <= n; k += 8) {
        quint64 x;
        std::memcpy(&x, from + k, 8);
        if (x & (ones * 0x80)) {
            for (int j = k; j < k + 8; ++j)
                to[j] = char(table[static_cast<unsigned char>(from[j])]);
            continue;
        }
        const quint64 atLeastA = x + ones * (0x80 - 'a');
        const quint64 aboveZ = x + ones * (0x80 - 'z' - 1);
        x ^= (atLeastA & ~aboveZ & (ones * 0x80)) >> 2;
        std::memcpy(to + k, &x, 8);
    }
    for (; k < n; ++k)
        to[k] = char(table[static_cast<unsigned char>(from[k])]);
}

} // namespace

void Expression::Impl::runKey(const char* buf, char* out) const
{
    const auto& upper = codePage->upperTable();
    int stack[kKeyStackDepth + 1];
    int sp = 0;
    int len = 0;
    for (const KeyStep& s : keySteps) {
        switch (s.code) {
        case KeyStep::Copy:
            std::memcpy(out + len, buf + s.offset, size_t(s.width));
            len += s.width;
            break;
        case KeyStep::CopyUpper:
            copyUpper(upper, buf + s.offset, out + len, s.width);
            len += s.width;
            break;
        case KeyStep::Literal:
            std::memcpy(out + len, keyLiterals.constData() + s.offset, size_t(s.width));
            len += s.width;
            break;
        case KeyStep::Mark:
            stack[sp++] = len;
            break;
        case KeyStep::MoveBlanks: {
            const int from = stack[--sp];
            int blanks = 0;
            while (from + blanks < len && out[len - 1 - blanks] == ' ')
                ++blanks;
            len -= blanks;
            stack[sp++] = blanks;
            break;
        }
        case KeyStep::PutBlanks: {
            const int blanks = stack[--sp];
            std::memset(out + len, ' ', size_t(blanks));
            len += blanks;
            break;
        }
        case KeyStep::TrimRight: {
            const int from = stack[--sp];
            while (len > from && out[len - 1] == ' ')
                --len;
            break;
        }
        case KeyStep::TrimLeft: {
            const int from = stack[--sp];
            int skip = 0;
            while (from + skip < len && out[from + skip] == ' ')
                ++skip;
            std::memmove(out + from, out + from + skip, size_t(len - from - skip));
            len -= skip;
            break;
        }
        }
    }
    std::memset(out + len, ' ', size_t(width - len));
}

// ---------------------------------------------------------------------------------------

Expression::Expression() = default;
Expression::~Expression() = default;
Expression::Expression(const Expression&) = default;
Expression& Expression::operator=(const Expression&) = default;
Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;

Expression Expression::compile(const QString& text, const FieldList& fields, const CodePage& codePage)
{
    auto impl = std::make_shared<Impl>();
    impl->source = text;
    impl->codePage = &codePage;
    if (text.trimmed().isEmpty())
        throw Error(QStringLiteral("Expression \"%1\": the expression is empty").arg(text));
    Parser parser(text, fields, codePage, *impl);
    impl->root = parser.parse();
    const Node& root = impl->nodes[size_t(impl->root)];
    switch (root.type) {
    case Type::Character: impl->width = root.width; break;
    case Type::Numeric: impl->width = 8; break;
    case Type::Date: impl->width = 8; break;
    case Type::Logical: impl->width = 1; break;
    }
    if (root.type == Type::Character || root.type == Type::Date) {
        int length = 0, depth = 0;
        if (!impl->planKey(impl->root, false, length, depth, 0) || length > impl->width || depth > kKeyStackDepth) {
            impl->keySteps.clear();
            impl->keyLiterals.clear();
        }
    }
    Expression e;
    e.m_impl = std::move(impl);
    return e;
}

QString Expression::text() const
{
    return m_impl ? m_impl->source : QString();
}

Expression::Type Expression::type() const
{
    return m_impl ? m_impl->nodes[size_t(m_impl->root)].type : Type::Character;
}

int Expression::width() const
{
    return m_impl ? m_impl->width : 0;
}

namespace {

void requireCompiled(const std::shared_ptr<const Expression::Impl>& impl)
{
    if (!impl)
        throw Error(QStringLiteral("Expression: nothing compiled"));
}

} // namespace

QString Expression::evaluateText(const RecordView& record) const
{
    requireCompiled(m_impl);
    const Ctx c{record.m_buf, record.recNo()};
    const Impl& im = *m_impl;
    switch (type()) {
    case Type::Character:
        return im.codePage->decode(im.strValue(im.root, c));
    case Type::Date: {
        const QByteArray d = im.strValue(im.root, c);
        if (d.trimmed().isEmpty())
            return QString(10, QLatin1Char(' '));
        return QString::fromLatin1(d.mid(4, 2) + '/' + d.mid(6, 2) + '/' + d.left(4));
    }
    case Type::Logical:
        return im.logic(im.root, c) ? QStringLiteral("T") : QStringLiteral("F");
    case Type::Numeric: {
        const double v = im.num(im.root, c);
        return QString::number(v, 'g', 15);
    }
    }
    return {};
}

double Expression::evaluateNumber(const RecordView& record) const
{
    requireCompiled(m_impl);
    if (type() != Type::Numeric)
        throw Error(QStringLiteral("Expression \"%1\": not a number").arg(m_impl->source));
    return m_impl->num(m_impl->root, Ctx{record.m_buf, record.recNo()});
}

bool Expression::evaluateLogical(const RecordView& record) const
{
    requireCompiled(m_impl);
    if (type() != Type::Logical)
        throw Error(QStringLiteral("Expression \"%1\": not a logical expression").arg(m_impl->source));
    return m_impl->logic(m_impl->root, Ctx{record.m_buf, record.recNo()});
}

namespace {
class NoRecord : public RecordView
{
};
} // namespace

QString Expression::evaluateText() const
{
    return evaluateText(NoRecord());
}

double Expression::evaluateNumber() const
{
    return evaluateNumber(NoRecord());
}

bool Expression::evaluateLogical() const
{
    return evaluateLogical(NoRecord());
}

void Expression::appendKey(const char* buffer, quint32 recNo, QByteArray& out) const
{
    requireCompiled(m_impl);
    const Impl& im = *m_impl;
    const Ctx c{buffer, recNo};
    const qsizetype from = out.size();
    switch (type()) {
    case Type::Character:
    case Type::Date:
        im.str(im.root, c, out);
        break;
    case Type::Numeric:
        appendNumericKey(im.num(im.root, c), out);
        break;
    case Type::Logical:
        out.append(im.logic(im.root, c) ? 'T' : 'F');
        break;
    }
    const qsizetype have = out.size() - from;
    if (have < im.width)
        out.append(im.width - have, ' ');
    else if (have > im.width)
        out.truncate(from + im.width);
}

void Expression::writeKey(const char* buffer, quint32 recNo, char* out) const
{
    requireCompiled(m_impl);
    const Impl& im = *m_impl;
    if (!im.keySteps.empty() && buffer) {
        im.runKey(buffer, out);
        return;
    }
    thread_local QByteArray scratch;
    scratch.clear();
    appendKey(buffer, recNo, scratch);
    std::memcpy(out, scratch.constData(), size_t(im.width));
}

bool Expression::hasDirectKey() const
{
    return m_impl && !m_impl->keySteps.empty();
}

QByteArray Expression::key(const RecordView& record) const
{
    QByteArray out;
    appendKey(record.m_buf, record.recNo(), out);
    return out;
}

QByteArray Expression::seekKey(const QString& value) const
{
    requireCompiled(m_impl);
    QByteArray out;
    switch (type()) {
    case Type::Character:
        return m_impl->codePage->encode(value);
    case Type::Numeric:
        appendNumericKey(value.trimmed().toDouble(), out);
        return out;
    case Type::Date: {
        const QString t = value.trimmed();
        if (t.contains(QLatin1Char('/')))
            return dateBytes(QDate::fromString(t, QStringLiteral("MM/dd/yyyy")));
        return t.toLatin1();
    }
    case Type::Logical: {
        const QString t = value.trimmed().toUpper();
        out.append(t.startsWith(QLatin1Char('T')) || t.startsWith(QLatin1Char('Y')) ? 'T' : 'F');
        return out;
    }
    }
    return out;
}

} // namespace xbase
