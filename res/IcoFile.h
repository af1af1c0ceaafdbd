#pragma once

#include <QByteArray>
#include <QImage>

#include <vector>

// A Windows icon file of the images, in the order given: 32-bit images with their transparency mask for
// sizes up to 128 pixels, PNG for larger ones (as Windows wants them from 256 pixels).
QByteArray IcoFileOf(const std::vector<QImage>& images);
