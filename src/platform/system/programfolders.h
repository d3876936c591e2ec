#pragma once

#include <QString>

// The program folder and the folders under it. Every path ends with "/".
// The program folder is the executable's folder (or, in tests, a folder given to the
// constructor). Paths below it are looked up case-insensitively through resolvePath().
class ProgramFolders
{
public:
    explicit ProgramFolders(const QString& root);

    // The folder holding the program file, when it is writable. For an install into a
    // read-only folder it is the user's data folder (XDG data home + "/velmora"), seeded
    // on first use with the installed pgmdata/, agxdata/ and help/ folders.
    static QString defaultRoot();

    // The folders of this run; set once at start-up (tests may set their own).
    static const ProgramFolders& current();
    static void setCurrent(const ProgramFolders& folders);

    const QString& root() const { return m_root; }
    QString shows() const;
    QString pgmdata() const;
    QString agxdata() const;
    QString userdata() const;
    QString indexs() const;
    QString catdata() const;
    QString help() const;
    QString gendefs() const;   // the settings file's path

    // Creates shows/, userdata/ and indexs/ when missing, in that order.
    // Throws AppError("Cannot create " + path) at the first that cannot be created.
    void createStartupFolders() const;

    // Creates one folder (with parents) when missing; throws AppError(prefix + path) on failure.
    static void ensureFolder(const QString& path, const QString& errorPrefix = QStringLiteral("Cannot create "));

private:
    QString m_root;
};
