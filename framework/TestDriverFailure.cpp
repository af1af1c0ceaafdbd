#include "framework/TestDriverFailure.h"

#include "framework/TestDriver.h"

#include <cstdio>
#include <functional>

namespace TestDriver {

namespace {

std::function<void(const std::string&)>& FailureHandler()
{
    static std::function<void(const std::string&)> handler = [](const std::string& message) {
        std::fprintf(stderr, "test driver: %s\n", message.c_str());
    };
    return handler;
}

} // namespace

void Fail(const std::string& message)
{
    FailureHandler()(message);
}

void SetFailureHandler(std::function<void(const std::string&)> handler)
{
    FailureHandler() = std::move(handler);
}

} // namespace TestDriver
