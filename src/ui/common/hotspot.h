#pragma once

#include <QLabel>

struct ControlRow;

// A transparent area over the skin picture that only catches the mouse and
// shows its tool tip; an optional caption makes it a text button.
class HotSpot : public QLabel
{
    Q_OBJECT
public:
    explicit HotSpot(const QString &name, QWidget *parent);
    // Named, placed and captioned as the row says; its tool tip is also the
    // name assistive technology reads.
    HotSpot(const ControlRow &row, QWidget *parent);

Q_SIGNALS:
    void pressed(Qt::MouseButton button);
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool m_armed = false;
};
