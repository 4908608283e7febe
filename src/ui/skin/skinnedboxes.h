#pragma once

#include <QCheckBox>
#include <QComboBox>

// A check box and a combo box that draw their mark and arrow from the skin's
// baked pictures. Style sheets could name the pictures too, but an image in a
// style sheet loads every image plugin the first time the control paints.
class SkinCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent *event) override;
};

class SkinComboBox : public QComboBox
{
    Q_OBJECT
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent *event) override;
};
