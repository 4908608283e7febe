#pragma once

#include <QObject>
#include <QPoint>
#include <QPointF>

#include <functional>

class QMouseEvent;
class QWidget;

// Lets the user move a borderless window by a hot spot. A left-button press
// starts the move, mouse moves move the window, the release ends it and then
// runs the follow-up; any other button runs the follow-up at once.
class CaptionDrag : public QObject
{
    Q_OBJECT
public:
    CaptionDrag(QWidget *handle, QWidget *window, std::function<void()> followUp = {});

    bool isDragging() const { return m_dragging; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void press(const QMouseEvent *mouse);
    bool move(const QMouseEvent *mouse);
    void release(const QMouseEvent *mouse);
    void finish();

    QWidget *m_window;
    std::function<void()> m_followUp;
    bool m_dragging = false;
    QPointF m_pressGlobal;
    QPoint m_windowStart;
};
