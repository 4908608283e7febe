#pragma once

#include "engine/statisticstext.h"

#include <QTimer>
#include <QWidget>

class QFormLayout;

// The engine's statistics window "统计信息": what is playing and how it
// arrives. While shown it asks for fresh values once a second.
class StatisticsWindow : public QWidget
{
    Q_OBJECT
public:
    explicit StatisticsWindow(QWidget *parent = nullptr);

    void showRows(const StatisticsText::Rows &rows);
    // The value shown for a label, for checks; empty when there is no such row.
    QString valueOf(const QString &label) const;

Q_SIGNALS:
    void refreshRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QFormLayout *m_form = nullptr;
    QTimer m_refresh;
    StatisticsText::Rows m_rows;
};
