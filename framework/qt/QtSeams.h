#pragma once

// Puts the Qt implementations behind the message box and file dialog seams, and lets Qt's own dialogs speak
// Chinese; the program calls it at start.
void InstallQtSeams();
