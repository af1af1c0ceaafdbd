#include "framework/Reporter.h"

void CReporter::Message(const std::u16string& text, unsigned type)
{
    Report(MessageBoxRequest{text, AfxGetAppName(), type});
}

void CReporter::Message(const std::u16string& text, const std::u16string& caption, unsigned type)
{
    Report(MessageBoxRequest{text, caption, type});
}

void CReporter::FileError(const tagFileError& error)
{
    Message(error.GetErrorMessage(), MB_ICONSTOP);
    Detail(error);
}

void CMessageBoxReporter::Report(const MessageBoxRequest& message)
{
    ShowMessageBox(message.text, message.caption, message.type);
}

CReporter& MessageBoxReporter()
{
    static CMessageBoxReporter reporter;
    return reporter;
}
