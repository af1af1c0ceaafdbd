#pragma once

#include "framework/Icon.h"
#include "framework/Wnd.h"

#include <QIcon>
#include <QPointer>
#include <QWidget>

#include <map>

// A window of the Qt platform is a widget: the opaque handle is the widget's address.
inline QWidget* WidgetOf(HWINDOW window)
{
    return reinterpret_cast<QWidget*>(window);
}

inline HWINDOW HandleOf(QWidget* widget)
{
    return reinterpret_cast<HWINDOW>(widget);
}

struct tagWndImpl
{
    QPointer<QWidget> window;
    std::map<int, QPointer<QWidget>> controls; // cleared by Qt when a control goes with its window
};

struct tagIcon
{
    QIcon icon;
};

class QLineEdit;

// Makes an edit box read-only or editable, with the look that tells the operator which.
void SetLineEditReadOnly(QLineEdit* edit, bool readOnly);
