#pragma once

#include <vector>

// The growable array of the vendor framework; the system only appends, indexes, swaps and removes.
template <class T> using CArray = std::vector<T>;
