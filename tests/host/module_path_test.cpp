// Module folder and name from a path, and the loader's answer for the code that asks.
#include "host/module_path.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <string>

TEST(ModulePath, SplitsFolderAndNameUpToTheFirstDot)
{
    const char* const cases[][3] = {{"/home/u/.vst/RavenSoot3.so", "/home/u/.vst", "RavenSoot3"},
        {"/opt/my.plugins/RavenSoot3.x86_64.so", "/opt/my.plugins", "RavenSoot3"},
        {"RavenSoot3.so", ".", "RavenSoot3"}, {"/plain", "", "plain"}};
    char folder[512];
    char name[512];
    for (const auto& c : cases) {
        ModulePath::split(c[0], folder, sizeof(folder), name, sizeof(name));
        EXPECT_STREQ(folder, c[1]) << c[0];
        EXPECT_STREQ(name, c[2]) << c[0];
    }
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
