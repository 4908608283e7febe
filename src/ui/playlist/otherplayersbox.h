#pragma once

#include <QComboBox>

// The other-player list. Its hint is longer than the narrow box: it is shown
// elided with "…", and whole as the box's tool tip.
class OtherPlayersBox : public QComboBox
{
    Q_OBJECT
public:
    explicit OtherPlayersBox(QWidget *parent = nullptr);

    void setHint(const QString &hint);

protected:
    void paintEvent(QPaintEvent *event) override;
};
