#pragma once

#include <QLabel>

struct ControlRow;

// A transparent area over the skin picture that only catches the mouse and
// shows its tool tip; an optional caption makes it a text button. Assistive
// technology reads it as a button named by its tool tip (or its text) whose
// press action does what a click does.
class HotSpot : public QLabel
{
    Q_OBJECT
public:
    // What activating the hot spot without the mouse stands for: its click,
    // or, for a drag strip that answers only double clicks, its double click.
    enum class Activation { Click, DoubleClick };

    explicit HotSpot(const QString &name, QWidget *parent);
    // Named, placed and captioned as the row says; its tool tip is also the
    // name assistive technology reads, unless the row gives another.
    HotSpot(const ControlRow &row, QWidget *parent);

    void setActivation(Activation activation) { m_activation = activation; }
    // Does what the mouse would, unless the hot spot is disabled.
    void activate();

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
    Activation m_activation = Activation::Click;
};
