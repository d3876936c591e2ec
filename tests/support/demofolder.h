#pragma once

#include "data/demodata.h"
#include "platform/system/programfolders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// The program's own tables (templates, work tables) in a fresh program folder, without AGX
// data: enough for the trial files and the windows that set a trial up.
inline void writeProgramFolder(const ProgramFolders& folders)
{
    folders.createStartupFolders();
    ProgramFolders::ensureFolder(folders.pgmdata());
    data::SeedReport report;
    data::writeProgramTables(folders, report);
}

// A demo program folder made by the demo generator once per test suite (seeding
// takes a while) and copied into each test's own folder. Use it as a member set up in
// SetUpTestSuite/TearDownTestSuite of the fixture.
class SeededDemoFolder
{
public:
    void seed(const data::DemoSizes& sizes)
    {
        m_dir = std::make_unique<QTemporaryDir>();
        data::seedProgramFolder(m_dir->path(), sizes);
    }
    void drop() { m_dir.reset(); }

    // Copies every file of the seeded folder below `to`, keeping the layout.
    void copyTo(const QString& to) const
    {
        ASSERT_TRUE(m_dir) << "seed() the demo folder in SetUpTestSuite first";
        const QDir from(m_dir->path());
        QDirIterator it(from.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            const QString target = QDir(to).filePath(from.relativeFilePath(source));
            QDir().mkpath(QFileInfo(target).path());
            ASSERT_TRUE(QFile::copy(source, target)) << qPrintable(target);
        }
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};
