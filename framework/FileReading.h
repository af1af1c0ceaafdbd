#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// The shared part of ReadFileBytes; the platform's file layer supplies the reads.

// The platform's read of a whole file into `bytes` (whose memory is reused), within the read limit.
// Returns 0 or an errno value.
int ReadFileInto(const std::u16string& path, std::string& bytes);

// The read limit in force (kReadFileLimit unless a test lowered it).
size_t ReadFileLimit();

// One read into the buffer: the count of bytes read (0 at the end of the input), or minus an errno value.
using ReadSome = std::function<long long(char* buffer, size_t size)>;

// Reads to the end into a buffer sized once from the file's size when it has one (`expected`, 0 for
// none); EFBIG past the read limit. `bytes` may come with memory of its own, which is reused. Returns 0
// or an errno value.
int ReadToEnd(const ReadSome& read, size_t expected, std::string& bytes);

// Reads to the end a chunk at a time and compares with `bytes`, stopping at the first difference;
// `same` tells whether the input was exactly those bytes. Returns 0 or an errno value.
int CompareToEnd(const ReadSome& read, std::string_view bytes, bool& same);
