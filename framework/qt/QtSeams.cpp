#include "framework/qt/QtSeams.h"

#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/qt/QtText.h"

#include <QApplication>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTranslator>
#include <QWindow>

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

QStringList QtNameFilters(const std::u16string& filter)
{
    QStringList names;
    for (const std::u16string& name : NameFiltersOf(filter))
        names << ToQString(name);
    return names;
}

// The room the window manager's decoration takes around a window. Known only for a window that is up:
// the dialog's parent has the same decoration.
QMargins DecorationOf(const QWidget& dialog)
{
    const QWidget* parent = dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr;
    if (parent == nullptr || !parent->isVisible() || parent->windowHandle() == nullptr)
        return {};
    return parent->windowHandle()->frameMargins();
}

// At a large scale factor the dialog's own size can pass the screen's: it is kept inside the free area,
// and its contents shrink below their comfortable size rather than leave the screen.
void FitIntoScreen(QWidget& dialog)
{
    const QScreen* screen = dialog.screen();
    if (screen == nullptr)
        return;
    const QSize available = screen->availableGeometry().size().shrunkBy(DecorationOf(dialog));
    dialog.setMinimumSize(dialog.minimumSizeHint().boundedTo(available));
    dialog.setMaximumSize(available);
    dialog.resize(dialog.sizeHint().boundedTo(available));
}

// Qt's own dialogs speak the window's language, Chinese, whatever the system's locale is. Once per
// application object, which owns the translator.
void LoadQtTranslation()
{
    const QString name = QStringLiteral("qtbase_zh_CN");
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr || application->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly))
        return;
    auto* translator = new QTranslator(application);
    translator->setObjectName(name);
    if (translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

std::optional<std::u16string> ShowQtFileDialog(const FileDialogRequest& request)
{
    QFileDialog dialog(QApplication::activeWindow(), ToQString(request.title));
    // Qt's own dialog rather than the desktop's: it speaks Chinese like the window, whatever the desktop's
    // language is.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(QtNameFilters(request.filter));
    dialog.setDefaultSuffix(ToQString(request.defaultExt));
    if (!request.initialPath.empty())
        dialog.selectFile(ToQString(request.initialPath));
    FitIntoScreen(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return FromQString(dialog.selectedFiles().first());
}

} // namespace

void InstallQtSeams()
{
    LoadQtTranslation();
    SetMessageBoxHandler(ShowQtMessageBox);
    SetFileDialogHandler(ShowQtFileDialog);
}
