#pragma once

#include <string>
#include <sys/types.h>

// Flushing deferred for many small files at once: a write that skips its own fsync notes the file
// system it went to, and one syncfs() per file system later puts all of them on the disk.

// Notes an unflushed write into the folder on the given file system.
void NoteUnflushedWrite(dev_t device, const std::string& folder);

// syncfs() on every file system noted since the last call. Returns 0 or the first errno value.
int SyncNotedFileSystems();

// fsync() on a folder, so that a rename in it survives a crash. Returns 0 or an errno value.
int SyncFolder(const std::string& folder);
