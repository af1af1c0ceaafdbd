#include "framework/ListBox.h"

#include "framework/qt/QtText.h"
#include "framework/qt/QtWindow.h"

#include <QListWidget>

namespace {

QListWidget* ListOf(HWINDOW window)
{
    return qobject_cast<QListWidget*>(WidgetOf(window));
}

} // namespace

void CListBox::Bind(HWINDOW control)
{
    Attach(control);
}

void CListBox::ResetContent()
{
    if (QListWidget* list = ListOf(GetSafeHwnd()))
        list->clear();
}

int CListBox::InsertString(int index, const std::u16string& text)
{
    QListWidget* list = ListOf(GetSafeHwnd());
    if (!list || index > list->count())
        return LB_ERR;
    if (index < 0)
        index = list->count();
    list->insertItem(index, ToQString(text));
    return index;
}

int CListBox::DeleteString(int index)
{
    QListWidget* list = ListOf(GetSafeHwnd());
    if (!list || index < 0 || index >= list->count())
        return LB_ERR;
    delete list->takeItem(index);
    return list->count();
}

int CListBox::GetCount() const
{
    QListWidget* list = ListOf(GetSafeHwnd());
    return list ? list->count() : 0;
}

int CListBox::GetCurSel() const
{
    QListWidget* list = ListOf(GetSafeHwnd());
    if (!list)
        return LB_ERR;
    const QModelIndexList selected = list->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? LB_ERR : selected.first().row();
}

int CListBox::SetCurSel(int index)
{
    QListWidget* list = ListOf(GetSafeHwnd());
    if (!list)
        return LB_ERR;
    if (index < 0 || index >= list->count()) {
        list->clearSelection();
        list->setCurrentRow(-1);
        return index == -1 ? 0 : LB_ERR;
    }
    list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    return index;
}
