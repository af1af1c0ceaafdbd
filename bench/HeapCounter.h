#pragma once

#include <cstddef>

// Counts the bytes taken and given back through operator new and delete while a measurement is open, and
// the peak of what is held beyond the start. The program that links HeapCounter.cpp gets the counting
// operators; one measurement at a time.
class CHeapPeak
{
public:
    CHeapPeak();  // opens the measurement
    ~CHeapPeak(); // closes it
    CHeapPeak(const CHeapPeak&) = delete;
    CHeapPeak& operator=(const CHeapPeak&) = delete;

    // The most bytes held at once since the start beyond those held at the start.
    size_t Peak() const;
};
