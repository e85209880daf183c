// The host's back-ends: the first one it registers is in use, a name finds only
// what it registered, and nothing draws before it registered any.
#include <gtest/gtest.h>

#include "render/draw_backend.h"

namespace {
DrawBackend Named(const char* name) {
    DrawBackend backend{};
    backend.name = name;
    return backend;
}
}  // namespace

TEST(DrawBackendRegistry, HoldsWhatTheHostRegisteredInItsOrder) {
    static const DrawBackend first = Named("first");
    static const DrawBackend second = Named("second");
    static const DrawBackend chosen = Named("chosen");
    EXPECT_EQ(FindDrawBackend("first"), nullptr);
    EXPECT_DEATH(ActiveDrawBackend(), "registered a drawing back-end");

    RegisterDrawBackend(first);
    RegisterDrawBackend(second);
    RegisterDrawBackend(first);  // again: no change
    EXPECT_EQ(&ActiveDrawBackend(), &first);
    EXPECT_EQ(FindDrawBackend("second"), &second);
    EXPECT_EQ(FindDrawBackend("chosen"), nullptr);

    // Choosing one the host did not register offers it too.
    SelectDrawBackend(chosen);
    EXPECT_EQ(&ActiveDrawBackend(), &chosen);
    EXPECT_EQ(FindDrawBackend("chosen"), &chosen);
    SelectDrawBackend(second);
    EXPECT_EQ(&ActiveDrawBackend(), &second);
}
