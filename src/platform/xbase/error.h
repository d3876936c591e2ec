#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace xbase {

// Every failure of the table layer is reported with this one type. The message is meant
// for the user and names the file concerned.
class Error : public std::exception
{
public:
    explicit Error(const QString& message) : m_message(message), m_utf8(message.toUtf8()) {}
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

} // namespace xbase
