#pragma once

#include "framework/FileError.h"
#include "framework/MessageBox.h"

#include <string>

// Where the system's messages go: the pages show them as message boxes, the command-line tool writes
// them to standard error, tests record them. Texts, captions, icons and order are the system's own;
// each message has one OK button, so nothing comes back.
class CReporter
{
public:
    virtual ~CReporter() = default;

    // One message; its caption is already resolved.
    virtual void Report(const MessageBoxRequest& message) = 0;

    // A message with the program's title as caption.
    void Message(const std::u16string& text, unsigned type = MB_OK);
    void Message(const std::u16string& text, const std::u16string& caption, unsigned type = MB_OK);

    // A file error as the framework's command dispatcher shows it: stop icon, program title; then its
    // detail.
    void FileError(const tagFileError& error);

    // The path and the cause behind the message just reported, for a reporter that can say more than
    // the system's texts do. The window's boxes show only the message, so by default nothing happens.
    virtual void Detail(const tagFileError&) {}
};

// The pages' reporter: every message is a message box, through the framework's one seam.
class CMessageBoxReporter : public CReporter
{
public:
    void Report(const MessageBoxRequest& message) override;
};

// The one message box reporter of the window.
CReporter& MessageBoxReporter();
