#include "framework/TestDriver.h"

#include <gtest/gtest.h>

// GUI tests need one window system for the whole run; on Linux they run on the offscreen platform.
int main(int argc, char** argv)
{
    TestDriver::CWindowSystem windowSystem(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    TestDriver::SetFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
    return RUN_ALL_TESTS();
}
