// The built module as a host sees it: an editor flag, the default skin's size, and open, idle, close and
// reopen through the dispatcher with the skin that ships beside the module.
#include "host/built_module.h"
#include "vst_host/test_host.h"

#include <gtest/gtest.h>

namespace {

TEST(EditorThroughTheModule, OpensTheDefaultSkinAgainAndAgain)
{
    TestHost host(builtModule());
    ASSERT_TRUE(host.open());
    AEffect* effect = host.record();
    EXPECT_TRUE(effect->flags & effFlagsHasEditor);
    ERect* rect = nullptr;
    ASSERT_EQ(host.dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right, 900);
    EXPECT_EQ(rect->bottom, 560);

    int window = 0;
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(host.dispatch(effEditKeyDown, 'a', 0), -1) << "no window yet";
        ASSERT_EQ(host.dispatch(effEditOpen, 0, 0, &window), 1) << "round " << round;
        EXPECT_EQ(host.dispatch(effEditKeyDown, 'a', 0), 0) << "keys are left to the host";
        host.setParameter(1, 0.3f);
        host.dispatch(effSetProgram, 0, 2);
        host.dispatch(effEditIdle);
        EXPECT_EQ(host.dispatch(effSetEditKnobMode, 0, 2), 1);
        host.dispatch(effVendorSpecific, 0x73744341, 0x57686565, nullptr, 1.0f);
        host.dispatch(effEditClose);
    }
    host.dispatch(effEditIdle);
    host.close();
}

}  // namespace
