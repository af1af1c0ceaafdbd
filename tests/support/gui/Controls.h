#pragma once

#include "framework/Wnd.h"
#include "framework/qt/QtWindow.h"

#include <QAbstractButton>
#include <QLineEdit>

#include <gtest/gtest.h>

// Clicks the button with this identifier as the operator would; fails when there is none.
inline void ClickButton(const CWnd& window, int id)
{
    auto* button = qobject_cast<QAbstractButton*>(WidgetOf(window.GetDlgItem(id)));
    ASSERT_NE(button, nullptr) << "no button " << id;
    button->click();
}

inline QLineEdit* EditBox(const CWnd& window, int id)
{
    return qobject_cast<QLineEdit*>(WidgetOf(window.GetDlgItem(id)));
}
