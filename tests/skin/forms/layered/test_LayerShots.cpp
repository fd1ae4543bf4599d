#include <gtest/gtest.h>
TEST(LayerShots, Placeholder) {}
