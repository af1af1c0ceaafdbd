#include "framework/QtSeams.h"

#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/QtText.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon IconOf(unsigned type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    default:
        return QMessageBox::NoIcon;
    }
}

int ShowQtMessageBox(const MessageBoxRequest& request)
{
    QMessageBox box(IconOf(request.type), ToQString(request.caption),
                    ToQString(ShortenedForDisplay(request.text)), QMessageBox::NoButton,
                    QApplication::activeWindow());
    // The system's boxes have one button.
    QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return IDOK;
}

// "description|pattern|description|pattern|" becomes Qt's "description (patterns);;…".
QString QtFilterOf(const std::u16string& filter)
{
    QStringList parts = ToQString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        QString description = parts[i];
        // Qt reads the patterns from the parentheses; a description that shows them already is kept as is.
        filters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<std::u16string> ShowQtFileDialog(const FileDialogRequest& request)
{
    QFileDialog dialog(QApplication::activeWindow(), ToQString(request.title));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(QtFilterOf(request.filter));
    dialog.setDefaultSuffix(ToQString(request.defaultExt));
    if (!request.initialPath.empty())
        dialog.selectFile(ToQString(request.initialPath));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return FromQString(dialog.selectedFiles().first());
}

} // namespace

void InstallQtSeams()
{
    SetMessageBoxHandler(ShowQtMessageBox);
    SetFileDialogHandler(ShowQtFileDialog);
}
