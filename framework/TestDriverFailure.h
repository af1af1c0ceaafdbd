#pragma once

#include <string>

namespace TestDriver {

// Reports a step the driver could not take (no such control, no modal dialog to answer) through the
// handler that SetFailureHandler installed; stderr until then. Shared by both platforms' drivers.
void Fail(const std::string& message);

} // namespace TestDriver
