#include "framework/TestDriver.h"
#include "framework/TestDriverFailure.h"

#include "framework/DialogEx.h"
#include "framework/qt/DialogWidget.h"
#include "framework/qt/QtText.h"
#include "framework/qt/QtWindow.h"
#include "framework/qt/TabWidget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <string>

namespace TestDriver {

namespace {

// The control of that kind, or nothing after a report.
template <typename Widget> Widget* ControlOf(const CWnd& window, int id, const char* kind)
{
    auto* control = qobject_cast<Widget*>(WidgetOf(window.GetDlgItem(id)));
    if (!control)
        Fail("no " + std::string(kind) + " " + std::to_string(id));
    return control;
}

QWidget* AnyControl(const CWnd& window, int id)
{
    return ControlOf<QWidget>(window, id, "control");
}

QWidget* WindowOf(const CWnd& window)
{
    QWidget* widget = WidgetOf(window.GetSafeHwnd());
    if (!widget)
        Fail("the window object has no window");
    return widget;
}

CRect ToCRect(const QRect& rect)
{
    return CRect{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

CTabWidget* TabsOf(const CWnd& window, int id)
{
    auto* tabs = dynamic_cast<CTabWidget*>(WidgetOf(window.GetDlgItem(id)));
    if (!tabs)
        Fail("no tab control " + std::to_string(id));
    return tabs;
}

void SendDoubleClick(QWidget* viewport, QPoint at)
{
    QPointF point(at);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, point, viewport->mapToGlobal(point), Qt::LeftButton,
                            Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &doubleClick);
}

// The dialog's event loop has not started when the action is queued: it waits for it, a few turns of the
// loop at most.
void WaitForModal(std::function<void(CDialogEx&)> act, int msOpen, int attemptsLeft)
{
    QTimer::singleShot(0, [act = std::move(act), msOpen, attemptsLeft] {
        auto* dialog = dynamic_cast<CDialogWidget*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (attemptsLeft > 0)
                WaitForModal(act, msOpen, attemptsLeft - 1);
            else
                Fail("no modal dialog appeared");
            return;
        }
        act(*dialog->Owner());
        QPointer<QDialog> left = dialog;
        QTimer::singleShot(msOpen, [left] {
            if (left && left->isVisible()) {
                Fail("the modal dialog was left open");
                left->done(QDialog::Rejected);
            }
        });
    });
}

} // namespace

struct CWindowSystem::tagImpl
{
    explicit tagImpl(int& argc, char** argv) : application(argc, argv) {}
    QApplication application;
};

CWindowSystem::CWindowSystem(int& argc, char** argv)
{
    // Tests run without a display unless the environment names a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    m_pImpl = std::make_unique<tagImpl>(argc, argv);
}

CWindowSystem::~CWindowSystem() = default;

void Click(CWnd& window, int id)
{
    if (auto* button = ControlOf<QAbstractButton>(window, id, "button"))
        button->click();
}

void SetFocus(CWnd& window, int id)
{
    if (QWidget* control = AnyControl(window, id))
        control->setFocus(Qt::OtherFocusReason);
}

int FocusedControl(const CWnd& window)
{
    QWidget* widget = WindowOf(window);
    QWidget* focused = widget ? widget->focusWidget() : nullptr;
    const QString name = focused ? focused->objectName() : QString();
    return name.startsWith(QStringLiteral("ctrl")) ? name.mid(4).toInt() : 0;
}

std::u16string Text(const CWnd& window, int id)
{
    return AnyControl(window, id) ? window.GetDlgItemText(id) : std::u16string();
}

void SetText(CWnd& window, int id, const std::u16string& text)
{
    if (auto* edit = ControlOf<QLineEdit>(window, id, "edit box"))
        edit->setText(ToQString(text));
}

void SetCaret(CWnd& window, int id, int position)
{
    if (auto* edit = ControlOf<QLineEdit>(window, id, "edit box"))
        edit->setCursorPosition(position);
}

bool IsEnabled(const CWnd& window, int id)
{
    QWidget* control = AnyControl(window, id);
    return control && control->isEnabled();
}

std::u16string ToolTip(const CWnd& window, int id)
{
    QWidget* control = AnyControl(window, id);
    return control ? FromQString(control->toolTip()) : std::u16string();
}

std::vector<std::u16string> ListLines(const CWnd& window, int id)
{
    std::vector<std::u16string> lines;
    QWidget* control = AnyControl(window, id);
    if (auto* list = qobject_cast<QListWidget*>(control)) {
        for (int i = 0; i < list->count(); ++i)
            lines.push_back(FromQString(list->item(i)->text()));
    } else if (auto* tabs = dynamic_cast<CTabWidget*>(control)) {
        for (int i = 0; i < tabs->TabBar()->count(); ++i)
            lines.push_back(FromQString(tabs->TabBar()->tabText(i)));
    } else if (control) {
        Fail("no list box or tab control " + std::to_string(id));
    }
    return lines;
}

void DoubleClickList(CWnd& window, int id, int line)
{
    auto* list = ControlOf<QListWidget>(window, id, "list box");
    if (!list)
        return;
    QWidget* viewport = list->viewport();
    if (line < 0) {
        // Below the lines: the selection stays as it is.
        SendDoubleClick(viewport, QPoint(5, viewport->height() - 2));
        return;
    }
    if (line >= list->count()) {
        Fail("list box " + std::to_string(id) + " has no line " + std::to_string(line));
        return;
    }
    // The first click of the two selects the line.
    QPoint center = list->visualItemRect(list->item(line)).center();
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, center);
    SendDoubleClick(viewport, center);
}

void SelectTab(CWnd& window, int id, int index)
{
    if (CTabWidget* tabs = TabsOf(window, id))
        tabs->TabBar()->setCurrentIndex(index);
}

void PressKey(CWnd& window, int id, EKey key)
{
    QWidget* control = AnyControl(window, id);
    if (!control)
        return;
    control->setFocus(Qt::OtherFocusReason);
    switch (key) {
    case EKey::escape:
        QTest::keyClick(control, Qt::Key_Escape);
        break;
    case EKey::enter:
        QTest::keyClick(control, Qt::Key_Return);
        break;
    case EKey::keypadEnter:
        QTest::keyClick(control, Qt::Key_Enter, Qt::KeypadModifier);
        break;
    case EKey::tab:
        QTest::keyClick(control, Qt::Key_Tab);
        break;
    case EKey::ctrlTab:
        QTest::keyClick(control, Qt::Key_Tab, Qt::ControlModifier);
        break;
    case EKey::ctrlShiftTab:
        // The window system delivers Ctrl+Shift+Tab as Backtab.
        QTest::keyClick(control, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        break;
    }
}

CRect WindowRect(const CWnd& window)
{
    QWidget* widget = WindowOf(window);
    return widget ? ToCRect(widget->geometry()) : CRect{};
}

CRect ControlRect(const CWnd& window, int id)
{
    QWidget* control = AnyControl(window, id);
    return control ? ToCRect(control->geometry()) : CRect{};
}

HWINDOW ParentOf(HWINDOW window)
{
    QWidget* widget = WidgetOf(window);
    return widget ? HandleOf(widget->parentWidget()) : nullptr;
}

void ResizeWindow(CWnd& window, int cx, int cy)
{
    if (QWidget* widget = WindowOf(window))
        widget->resize(cx, cy);
    QApplication::processEvents();
}

void CloseWindow(CWnd& window)
{
    if (QWidget* widget = WindowOf(window))
        widget->close();
}

void WhenModal(std::function<void(CDialogEx&)> act, int msOpen)
{
    WaitForModal(std::move(act), msOpen, 50);
}

void FailIfModal()
{
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            Fail("unexpected modal dialog");
            dialog->done(QDialog::Rejected);
        }
    });
}

void ProcessPending()
{
    QCoreApplication::processEvents();
}

void PutNonTextOnClipboard()
{
    auto* data = new QMimeData;
    data->setData(QStringLiteral("application/octet-stream"), QByteArray("\x01\x02", 2));
    QApplication::clipboard()->setMimeData(data);
}

CHostWnd::CHostWnd()
{
    auto* widget = new QWidget;
    widget->resize(800, 600);
    Attach(HandleOf(widget));
}

CHostWnd::~CHostWnd()
{
    delete WidgetOf(GetSafeHwnd());
}

} // namespace TestDriver
