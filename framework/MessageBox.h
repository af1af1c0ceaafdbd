#pragma once

#include <functional>
#include <string>

// Message box types and results with the platform's values, so callers read like the original.
// <windows.h> has them as macros with the same values: in a file that includes it first, its macros
// stand in for these.
#ifndef MB_OK
constexpr unsigned MB_OK = 0x00;
#endif
#ifndef MB_ICONSTOP
constexpr unsigned MB_ICONSTOP = 0x10;
#endif
#ifndef MB_ICONEXCLAMATION
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
#endif
#ifndef MB_ICONMASK
constexpr unsigned MB_ICONMASK = 0xF0;
#endif
#ifndef IDOK
constexpr int IDOK = 1;
#endif
#ifndef IDCANCEL
constexpr int IDCANCEL = 2;
#endif

struct MessageBoxRequest
{
    std::u16string text;
    std::u16string caption;
    unsigned type = MB_OK;
};

// Every box of the system goes through this one seam: the GUI shows it, tests record and answer it,
// the command-line tool prints it.
using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;

// Installs a handler and returns the one it replaced.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

int ShowMessageBox(const std::u16string& text, const std::u16string& caption, unsigned type = MB_OK);

// A box with the application's title as caption.
int AfxMessageBox(const std::u16string& text, unsigned type = MB_OK);

// The text as the window shows it, so that a box with a huge name or path still fits the screen: a line
// longer than 1,000 characters keeps its first 200 and its last 50 around "…" (the end of a message
// says what went wrong), and of more than 20 lines the first 16 and the last 3 stay, around a line "…".
// Handlers that record or print get the whole text.
std::u16string ShortenedForDisplay(const std::u16string& text);

// The application's title: the program file's name without folder or extension.
std::u16string AfxGetAppName();
void AfxSetAppName(const std::u16string& name);
