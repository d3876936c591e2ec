#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// Only one copy of the program runs per user. The first copy listens on a local socket
// named after the application title; a later copy connects, asks the first to bring its
// window to the front, and is told to exit.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // key: the application title; the user's name is added so users do not meet.
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // true: this is the first copy and now listens for later ones.
    // false: another copy runs and has been asked to show itself; this one should exit.
    bool start();

    QString serverName() const { return m_name; }

signals:
    // A later copy asked this one to restore and raise its main window.
    void activationRequested();

private:
    bool notifyRunningCopy();
    void onNewConnection();

    QString m_name;
    QLocalServer* m_server = nullptr;
};
