#include "framework/TabCtrl.h"

#include "framework/qt/QtText.h"
#include "framework/qt/QtWindow.h"
#include "framework/qt/TabWidget.h"

#include <QTabBar>

namespace {

CTabWidget* TabsOf(HWINDOW window)
{
    return dynamic_cast<CTabWidget*>(WidgetOf(window));
}

} // namespace

void CTabCtrl::Bind(HWINDOW control)
{
    Attach(control);
}

int CTabCtrl::InsertItem(int index, const std::u16string& text)
{
    CTabWidget* tabs = TabsOf(GetSafeHwnd());
    return tabs ? tabs->InsertSilently(index, ToQString(text)) : -1;
}

int CTabCtrl::GetCurSel() const
{
    CTabWidget* tabs = TabsOf(GetSafeHwnd());
    return tabs ? tabs->TabBar()->currentIndex() : -1;
}

int CTabCtrl::SetCurSel(int index)
{
    CTabWidget* tabs = TabsOf(GetSafeHwnd());
    if (!tabs || index < 0 || index >= tabs->TabBar()->count())
        return -1;
    int previous = tabs->TabBar()->currentIndex();
    tabs->SelectSilently(index);
    return previous;
}
