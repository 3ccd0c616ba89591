// The memory that managers sharing one skin source take, measured in a forked child.
#include <gtest/gtest.h>

#include "skin/manager/SharedSkinSourceTest.h"
#include "skin/support/ChildProcess.h"
#include "skin/support/SkinTestSupport.h"

using namespace skintest;
using namespace sharedsourcetest;

// ---- memory

TEST_F(SharedSkinSourceTest, SixManagersTakeAtMostTwiceTheMemoryOfOne) {
    // A 4000 x 4000 external image: 48 MB decoded, a few kilobytes as a file.
    WriteFolderSkin(m_dir, "Wood", 4000, 4000);
    const auto load = [&](int managers) {
        return RunInChild(1024 * MB, [&] {
            for (int n = 0; n < managers; ++n)
                NewManager("Wood", 50 * n);
            return int(m_form->ComponentCount());
        });
    };
    const TChildResult one = load(1);
    const TChildResult six = load(6);
    ASSERT_TRUE(one.Exited);
    ASSERT_TRUE(six.Exited);
    EXPECT_EQ(six.Code, one.Code + 5);
    RecordProperty("PeakBytesOneManager", std::to_string(one.PeakBytes));
    RecordProperty("PeakBytesSixManagers", std::to_string(six.PeakBytes));
    if (!UnderAddressSanitizer) {
        EXPECT_LE(six.PeakBytes, 2 * one.PeakBytes);
    }
}
