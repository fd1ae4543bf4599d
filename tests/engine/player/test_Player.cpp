#include "engine/Player.h"
#include <gtest/gtest.h>
TEST(Player, Builds) { TDUDuvuvu p; EXPECT_EQ(p.Version(), QStringLiteral("2.3")); }
