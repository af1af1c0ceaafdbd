#pragma once

#include <string>

// Flushing deferred for many small files at once: a replacement that skips its own flush notes the
// file, and SyncNotedWrites() later puts all of them on the disk (Linux: one syncfs() per file system;
// Windows: each file's buffers). Paths are UTF-8.

// Notes a replaced file whose content is not flushed yet.
void NoteUnflushedWrite(const std::string& path);

// Flushes everything noted since the last call. Returns 0 or the first errno value.
int SyncNotedWrites();

// Makes the renames in a folder survive a crash (Linux: fsync() on the folder; Windows: nothing, the
// rename itself was written through). Returns 0 or an errno value.
int SyncFolder(const std::string& folder);
