#include "framework/Clipboard.h"

#include "framework/qt/QtText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

bool IsClipboardUnicodeTextAvailable()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

std::optional<std::u16string> GetClipboardUnicodeText()
{
    if (!IsClipboardUnicodeTextAvailable())
        return std::nullopt;
    std::u16string text = FromQString(QGuiApplication::clipboard()->text());
    size_t zero = text.find(u'\0');
    if (zero != std::u16string::npos)
        text.resize(zero);
    return text;
}

void SetClipboardUnicodeText(const std::u16string& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    auto* data = new QMimeData;
    data->setText(ToQString(text));
    clipboard->setMimeData(data);
}
