// The reference for the window's start: a bare Qt dialog with three empty tabs and nothing behind them,
// shown as the program shows its main window.
#include <QApplication>
#include <QDialog>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("bare dialog"));
    auto* tabs = new QTabWidget(&dialog);
    for (const char* caption : {"one", "two", "three"})
        tabs->addTab(new QWidget(tabs), QString::fromLatin1(caption));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(tabs);
    dialog.resize(488, 311);
    dialog.show();
    return app.exec();
}
