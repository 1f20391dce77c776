#include "sound/MuteLatch.h"
#include "sound/MuteMechanism.h"

#include <gtest/gtest.h>

TEST(MuteLatch, FirstValueIsAppliedWhicheverItIs) {
    MuteLatch unmutedFirst;
    EXPECT_TRUE(unmutedFirst.Accept(0));
    MuteLatch mutedFirst;
    EXPECT_TRUE(mutedFirst.Accept(1));
}

TEST(MuteLatch, RepeatsAreIgnoredAndChangesApplied) {
    MuteLatch latch;
    EXPECT_TRUE(latch.Accept(0));
    EXPECT_FALSE(latch.Accept(0));
    EXPECT_TRUE(latch.Accept(1));
    EXPECT_FALSE(latch.Accept(1));
    EXPECT_FALSE(latch.Accept(1));
    EXPECT_TRUE(latch.Accept(0));
    EXPECT_TRUE(latch.Accept(1));
}

TEST(MuteLatch, AnyNonZeroValueMeansMuted) {
    MuteLatch latch;
    EXPECT_TRUE(latch.Accept(2));
    EXPECT_FALSE(latch.Accept(1));
    EXPECT_FALSE(latch.Accept(-1));
    EXPECT_TRUE(latch.Accept(0));
}

TEST(MuteMechanism, MixerFromMajorVersionSixOn) {
    EXPECT_EQ(ChooseMuteMechanism(0), MuteMechanism::Interception);
    EXPECT_EQ(ChooseMuteMechanism(5), MuteMechanism::Interception);
    EXPECT_EQ(ChooseMuteMechanism(6), MuteMechanism::Mixer);
    EXPECT_EQ(ChooseMuteMechanism(10), MuteMechanism::Mixer);
}
