#pragma once

#include <QString>

#include <stdexcept>

// An error that stops the current operation; the guard around every window entry
// point (platform/ui/guard.h) shows its text in a message box.
class AppError : public std::runtime_error
{
public:
    explicit AppError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const noexcept { return m_message; }

private:
    QString m_message;
};

// Abandons the caller's whole operation without any message (the user already saw one,
// or chose to abort).
class SilentAbort : public std::exception
{
public:
    const char* what() const noexcept override { return "operation abandoned"; }
};
