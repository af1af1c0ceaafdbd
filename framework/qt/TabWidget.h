#pragma once

#include <QWidget>

#include <functional>

class QTabBar;

// The tab control's window: a strip of tabs over a framed client area that holds the pages. Ctrl+Tab and
// Ctrl+Shift+Tab, pressed anywhere in its pages, select the next or the previous tab as a click would.
class CTabWidget : public QWidget
{
public:
    explicit CTabWidget(QWidget* parent);

    QTabBar* TabBar() const { return m_tabBar; }
    void SetSelChangeHandler(std::function<void()> handler) { m_onSelChange = std::move(handler); }
    // Selecting by program raises no notification.
    void SelectSilently(int index);
    int InsertSilently(int index, const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTabBar* m_tabBar;
    std::function<void()> m_onSelChange;
    bool m_selectingByProgram = false;
};
