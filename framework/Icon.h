#pragma once

#include <memory>

// The platform's icon: drawn images on Linux, an icon resource on Windows.
struct tagIcon;

// An icon shared by whoever shows it; empty when it could not be loaded.
using IconHandle = std::shared_ptr<const tagIcon>;
