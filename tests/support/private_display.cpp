// Linked into every test program that opens windows: the whole program runs on an
// X server of its own.
#include <gtest/gtest.h>

#include "tests/support/display.h"

namespace {
class PrivateDisplayEnvironment : public ::testing::Environment {
public:
    void SetUp() override { UsePrivateDisplay(); }
};

::testing::Environment* const privateDisplay =
    ::testing::AddGlobalTestEnvironment(new PrivateDisplayEnvironment);
}  // namespace
