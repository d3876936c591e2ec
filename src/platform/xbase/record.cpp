#include "platform/xbase/record.h"

#include "platform/xbase/tabledata.h"

#include <cmath>

namespace xbase {

using detail::TableData;

namespace {

bool logicalTrue(char c)
{
    return c == 'T' || c == 't' || c == 'Y' || c == 'y';
}

} // namespace

int RecordView::resolve(FieldRef field) const
{
    if (!m_data || !m_data->open)
        throw Error(QStringLiteral("The table is not open"));
    if (field.byNumber()) {
        if (field.number() < 1 || field.number() > m_data->fields.size())
            m_data->fail(QStringLiteral("there is no field number %1").arg(field.number()));
        return field.number() - 1;
    }
    const auto it = m_data->nameIndex.constFind(field.name().toLower());
    if (it == m_data->nameIndex.constEnd())
        m_data->fail(QStringLiteral("there is no field \"%1\"").arg(field.name()));
    return it.value();
}

const FieldList& RecordView::fields() const
{
    static const FieldList none;
    return m_data ? m_data->fields : none;
}

int RecordView::fieldCount() const
{
    return m_data ? int(m_data->fields.size()) : 0;
}

int RecordView::fieldIndex(const QString& name) const
{
    if (!m_data)
        return -1;
    return m_data->nameIndex.value(name.toLower(), -1);
}

int RecordView::fieldNumber(const QString& name) const
{
    return fieldIndex(name) + 1;
}

const FieldDef& RecordView::fieldDef(FieldRef field) const
{
    return m_data->fields[resolve(field)];
}

bool RecordView::isDeleted() const
{
    return m_buf && m_recNo > 0 ? m_buf[0] == '*' : (m_buf && m_buf[0] == '*');
}

QByteArray RecordView::rawBytes(FieldRef field) const
{
    const int i = resolve(field);
    const FieldDef& f = m_data->fields[i];
    if (!m_buf)
        return QByteArray(f.width, ' ');
    return QByteArray(m_buf + m_data->offsets[size_t(i)], f.width);
}

QByteArray RecordView::buffer() const
{
    if (!m_data)
        return {};
    if (!m_buf)
        return m_data->blankRecord();
    return QByteArray(m_buf, m_data->recordLength);
}

QString RecordView::rawText(FieldRef field) const
{
    return m_data ? m_data->codePage->decode(rawBytes(field)) : QString();
}

QString RecordView::text(FieldRef field) const
{
    const int i = resolve(field);
    const FieldDef& f = m_data->fields[i];
    const char* p = m_buf ? m_buf + m_data->offsets[size_t(i)] : nullptr;
    const auto blank = [&] { return QString(f.width, QLatin1Char(' ')); };
    switch (f.type) {
    case 'N':
    case 'F': {
        if (!p)
            return blank();
        // Right-aligned whatever the writer did.
        int end = f.width;
        while (end > 0 && p[end - 1] == ' ')
            --end;
        const QString t = QString::fromLatin1(p, end);
        return t.rightJustified(f.width, QLatin1Char(' '));
    }
    case 'L':
        return p && logicalTrue(*p) ? QStringLiteral("T") : QStringLiteral("F");
    case 'D': {
        if (!p || QByteArrayView(p, 8).trimmed().isEmpty())
            return QString(10, QLatin1Char(' '));
        const QByteArray d(p, 8);
        return QString::fromLatin1(d.mid(4, 2) + '/' + d.mid(6, 2) + '/' + d.left(4));
    }
    case 'M': {
        if (!p)
            return {};
        bool ok = false;
        quint32 block = 0;
        if (f.width == 4 && (m_data->version == 0x30 || m_data->version == 0x31)) {
            block = quint32(static_cast<unsigned char>(p[0])) | (quint32(static_cast<unsigned char>(p[1])) << 8)
                | (quint32(static_cast<unsigned char>(p[2])) << 16) | (quint32(static_cast<unsigned char>(p[3])) << 24);
            ok = true;
        } else {
            const double v = detail::parseNumber(p, f.width, &ok);
            block = ok && v > 0 && v < 4294967295.0 ? quint32(v) : 0;
            if (!ok)
                m_data->fail(QStringLiteral("the memo pointer of field %1 is damaged").arg(f.name));
        }
        if (block == 0 || !m_data->memo.isOpen())
            return {};
        return m_data->codePage->decode(m_data->memo.read(block));
    }
    default:
        return p ? m_data->codePage->decode(QByteArrayView(p, f.width)) : blank();
    }
}

QString RecordView::trimmed(FieldRef field) const
{
    return text(field).trimmed();
}

double RecordView::toDouble(FieldRef field) const
{
    const int i = resolve(field);
    const FieldDef& f = m_data->fields[i];
    if (!m_buf)
        return 0;
    const char* p = m_buf + m_data->offsets[size_t(i)];
    if (f.type == 'N' || f.type == 'F' || f.type == 'C') {
        bool ok = false;
        const double v = detail::parseNumber(p, f.width, &ok);
        return ok ? v : 0;
    }
    if (f.type == 'L')
        return logicalTrue(*p) ? 1 : 0;
    bool ok = false;
    const double v = text(field).trimmed().toDouble(&ok);
    return ok ? v : 0;
}

qint64 RecordView::toInt(FieldRef field) const
{
    const double v = toDouble(field);
    return qint64(v < 0 ? std::ceil(v - 0.5) : std::floor(v + 0.5));
}

bool RecordView::toBool(FieldRef field) const
{
    const int i = resolve(field);
    if (!m_buf)
        return false;
    const char* p = m_buf + m_data->offsets[size_t(i)];
    const FieldDef& f = m_data->fields[i];
    if (f.type == 'N' || f.type == 'F')
        return toDouble(field) != 0;
    int k = 0;
    while (k < f.width - 1 && p[k] == ' ')
        ++k;
    return logicalTrue(p[k]);
}

QDate RecordView::toDate(FieldRef field) const
{
    const int i = resolve(field);
    if (!m_buf)
        return {};
    const FieldDef& f = m_data->fields[i];
    if (f.type == 'D' && f.width >= 8) {
        // Straight from the digits: this runs for every date of a scan.
        const char* p = m_buf + m_data->offsets[size_t(i)];
        int v[8];
        for (int k = 0; k < 8; ++k) {
            if (p[k] < '0' || p[k] > '9')
                return {};
            v[k] = p[k] - '0';
        }
        return QDate(v[0] * 1000 + v[1] * 100 + v[2] * 10 + v[3], v[4] * 10 + v[5], v[6] * 10 + v[7]);
    }
    const QString t = rawText(field).trimmed();
    if (t.size() == 8)
        return QDate::fromString(t, QStringLiteral("yyyyMMdd"));
    return QDate::fromString(t, QStringLiteral("MM/dd/yyyy"));
}

bool RecordView::isBlank(FieldRef field) const
{
    return rawBytes(field).trimmed().isEmpty();
}

} // namespace xbase
