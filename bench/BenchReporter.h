#pragma once

#include "framework/RunContext.h"

#include <stdexcept>

// A benchmark's run must not report anything: a message means the measured work went another way.
class CBenchReporter : public CReporter
{
public:
    void Report(const MessageBoxRequest&) override { throw std::runtime_error("unexpected message"); }
};

inline tagRunContext BenchContext()
{
    static CBenchReporter reporter;
    return tagRunContext{reporter, DiskStore()};
}
