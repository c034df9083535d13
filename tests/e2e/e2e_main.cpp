// The suite runs on a virtual desktop of its own, shared with every program
// it starts, before any test creates a window.
#include <cstdio>

#include "gtest/gtest.h"
#include "virtual_desktop.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!ZelmivoE2E::EnterVirtualDesktop(1366, 768)) {
        std::fprintf(stderr, "The virtual desktop could not be made\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
