#pragma once

// The errno value that the callers of the file layer take for a Win32 error code: ENOENT for a missing
// file or bad path, EACCES for access denied, EBUSY for a sharing or lock violation, ENOSPC for a full
// disk, EIO for a failing device and anything unknown.
int ErrnoFromWin32(unsigned long error);

// ErrnoFromWin32(GetLastError()).
int LastErrno();
