#pragma once

#include "framework/Icon.h"

// The application icon, resource 128: a padlock over a deployment sheet, at the usual sizes.
IconHandle LoadAppIcon();
