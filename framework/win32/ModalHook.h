#pragma once

#include <functional>

class CDialogEx;

// Told of every modal dialog once its message loop runs and before the operator's first input reaches it:
// the test driver answers dialogs through it. Installs a handler and returns the one it replaced.
using ModalStartHandler = std::function<void(CDialogEx&)>;
ModalStartHandler SetModalStartHandler(ModalStartHandler handler);
void NotifyModalStart(CDialogEx& dialog);

// Keys of the dialog loops beyond the dialog manager's: Ctrl+Tab and Ctrl+Shift+Tab select the next or
// the previous tab of the tab control that holds the focus, from anywhere in its pages, as a click on the
// tab does; Enter on a focused push button clicks it. Installed for the thread's dialog loops.
void InstallDialogKeys();
