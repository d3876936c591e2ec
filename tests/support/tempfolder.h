#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

// A fresh folder per test, removed afterwards; path() has no trailing separator.
class TempFolder
{
public:
    TempFolder() { m_dir.setAutoRemove(true); }
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

private:
    QTemporaryDir m_dir;
};
