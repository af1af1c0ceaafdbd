#pragma once

// Puts the Win32 implementations behind the message box and file dialog seams; the program calls it at
// start.
void InstallWin32Seams();
