#include "framework/qt/TabWidget.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

namespace {
constexpr int kStripHeight = 21; // the tab strip; the pages start at 22 pixels, whatever the font

// +1 for Ctrl+Tab, -1 for Ctrl+Shift+Tab (which arrives as Backtab), 0 for any other key.
int TabStepOf(const QKeyEvent& event)
{
    Qt::KeyboardModifiers modifiers = event.modifiers();
    if (!(modifiers & Qt::ControlModifier) || (modifiers & (Qt::AltModifier | Qt::MetaModifier)))
        return 0;
    if (event.key() == Qt::Key_Backtab || (event.key() == Qt::Key_Tab && (modifiers & Qt::ShiftModifier)))
        return -1;
    return event.key() == Qt::Key_Tab ? 1 : 0;
}
} // namespace

CTabWidget::CTabWidget(QWidget* parent) : QWidget(parent), m_tabBar(new QTabBar(this))
{
    m_tabBar->setDrawBase(false);
    m_tabBar->setExpanding(false);
    m_tabBar->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(m_tabBar, &QTabBar::currentChanged, this, [this](int) {
        if (!m_selectingByProgram && m_onSelChange)
            m_onSelChange();
    });
}

void CTabWidget::SelectSilently(int index)
{
    m_selectingByProgram = true;
    m_tabBar->setCurrentIndex(index);
    m_selectingByProgram = false;
}

int CTabWidget::InsertSilently(int index, const QString& text)
{
    m_selectingByProgram = true;
    int inserted = m_tabBar->insertTab(index, text);
    m_selectingByProgram = false;
    return inserted;
}

void CTabWidget::keyPressEvent(QKeyEvent* event)
{
    int step = TabStepOf(*event);
    int count = m_tabBar->count();
    if (step == 0 || count == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    // Wraps around at both ends; the change notifies like a click on the tab.
    m_tabBar->setCurrentIndex((m_tabBar->currentIndex() + step + count) % count);
    event->accept();
}

void CTabWidget::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = QRect(0, kStripHeight, width(), height() - kStripHeight);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = m_tabBar->sizeHint();
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

void CTabWidget::resizeEvent(QResizeEvent*)
{
    m_tabBar->setGeometry(2, 0, width() - 4, kStripHeight + 1);
    m_tabBar->raise();
}
