// Module folder and name from a path, and the loader's answer for the code that asks.
#include "host/module_path.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <string>

TEST(ModulePath, SplitsFolderAndNameUpToTheFirstDot)
{
    char folder[512];
    char name[512];
    ModulePath::split("/home/u/.vst/RavenSoot3.so", folder, sizeof(folder), name, sizeof(name));
    EXPECT_STREQ(folder, "/home/u/.vst");
    EXPECT_STREQ(name, "RavenSoot3");
    ModulePath::split("/opt/my.plugins/RavenSoot3.x86_64.so", folder, sizeof(folder), name, sizeof(name));
    EXPECT_STREQ(folder, "/opt/my.plugins");
    EXPECT_STREQ(name, "RavenSoot3");
    ModulePath::split("RavenSoot3.so", folder, sizeof(folder), name, sizeof(name));
    EXPECT_STREQ(folder, ".");
    EXPECT_STREQ(name, "RavenSoot3");
    ModulePath::split("/plain", folder, sizeof(folder), name, sizeof(name));
    EXPECT_STREQ(folder, "");
    EXPECT_STREQ(name, "plain");
    ModulePath::split("/a/bcdefgh.so", folder, 2, name, 4);
    EXPECT_STREQ(folder, "/");
    EXPECT_STREQ(name, "bcd");
}

TEST(ModulePath, LoaderNamesTheFileHoldingOurCode)
{
    // Linked into this test program, our code lives in the program itself.
    char path[PATH_MAX];
    ASSERT_TRUE(ModulePath::modulePath(path, sizeof(path)));
    char self[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", self, sizeof(self) - 1);
    ASSERT_GT(n, 0);
    self[n] = '\0';
    EXPECT_STREQ(path, self);

    char tiny[4];
    EXPECT_FALSE(ModulePath::modulePath(tiny, sizeof(tiny)));
}
