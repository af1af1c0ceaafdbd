#pragma once

// Puts the Qt implementations behind the message box and file dialog seams; the program calls it at start.
void InstallQtSeams();
