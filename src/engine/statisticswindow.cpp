#include "engine/statisticswindow.h"

#include "core/program/texts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

StatisticsWindow::StatisticsWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("engineStatistics"));
    setWindowTitle(Texts::kStatistics.toString());
    auto *layout = new QVBoxLayout(this);
    m_form = new QFormLayout;
    m_form->setLabelAlignment(Qt::AlignRight);
    layout->addLayout(m_form);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(Texts::kClose.toString());
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    layout->addWidget(buttons);
    setMinimumWidth(360);
    m_refresh.setInterval(1000);
    connect(&m_refresh, &QTimer::timeout, this, &StatisticsWindow::refreshRequested);
}

void StatisticsWindow::showRows(const StatisticsText::Rows &rows)
{
    if (rows == m_rows)
        return;
    const bool sameLabels = rows.size() == m_rows.size()
        && std::equal(rows.begin(), rows.end(), m_rows.begin(),
            [](const auto &a, const auto &b) { return a.first == b.first; });
    m_rows = rows;
    if (!sameLabels) {
        while (m_form->rowCount() > 0)
            m_form->removeRow(0);
        for (const auto &row : rows) {
            auto *value = new QLabel(this);
            value->setTextInteractionFlags(Qt::TextSelectableByMouse);
            value->setWordWrap(true);
            m_form->addRow(row.first + u':', value);
        }
    }
    for (int i = 0; i < rows.size(); ++i) {
        auto *value = qobject_cast<QLabel *>(m_form->itemAt(i, QFormLayout::FieldRole)->widget());
        value->setText(rows.at(i).second);
    }
}

QString StatisticsWindow::valueOf(const QString &label) const
{
    for (const auto &row : m_rows) {
        if (row.first == label)
            return row.second;
    }
    return QString();
}

void StatisticsWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_refresh.start();
    Q_EMIT refreshRequested();
}

void StatisticsWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_refresh.stop();
}
