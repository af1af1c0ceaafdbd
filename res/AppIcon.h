#pragma once

#include <QIcon>

// The application icon, resource 128: a padlock over a deployment sheet, drawn at the usual sizes.
QIcon LoadAppIcon();
