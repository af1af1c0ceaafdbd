#pragma once

#include <QImage>

// The application icon's design, resource 128, drawn at one size. Needs no application object, so that
// the build can render the installed icons with it.
QImage DrawAppIcon(int size);
