#include "macro/KeyNames.h"
#include <gtest/gtest.h>
TEST(KeyNames, Placeholder) { EXPECT_EQ(KeyNameToVirtualKey("<4>"), 100); }
