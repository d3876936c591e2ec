#include <gtest/gtest.h>
#include "support/tempfolder.h"

TEST(TempFolder, GivesAWritableFolder)
{
    TempFolder t;
    EXPECT_TRUE(QDir(t.path()).exists());
}
