#include "engine/enginesettingsdialog.h"

#include "core/program/texts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

EngineSettingsDialog::EngineSettingsDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("engineSettings"));
    setWindowTitle(QStringLiteral("性能/连接设置"));
    setModal(false);
    m_timeout = new QSpinBox(this);
    m_timeout->setObjectName(QStringLiteral("timeout"));
    m_timeout->setRange(EngineSettings::minTimeout, EngineSettings::maxTimeout);
    m_timeout->setSuffix(QStringLiteral(" 秒"));
    m_buffer = new QSpinBox(this);
    m_buffer->setObjectName(QStringLiteral("buffer"));
    m_buffer->setRange(EngineSettings::minBuffer, EngineSettings::maxBuffer);
    m_buffer->setSuffix(QStringLiteral(" MB"));
    m_transport = new QComboBox(this);
    m_transport->setObjectName(QStringLiteral("transport"));
    m_transport->addItems({ QStringLiteral("自动"), QStringLiteral("TCP"), QStringLiteral("UDP") });
    m_proxy = new QLineEdit(this);
    m_proxy->setObjectName(QStringLiteral("proxy"));
    m_proxy->setPlaceholderText(QStringLiteral("http://主机:端口 (留空则不用代理)"));
    m_problem = new QLabel(this);
    m_problem->setStyleSheet(QStringLiteral("color: #c03020"));
    m_problem->hide();

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("网络超时:"), m_timeout);
    form->addRow(QStringLiteral("缓冲大小:"), m_buffer);
    form->addRow(QStringLiteral("RTSP 传输方式:"), m_transport);
    form->addRow(QStringLiteral("HTTP 代理:"), m_proxy);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Texts::kOk.toString());
    buttons->button(QDialogButtonBox::Cancel)->setText(Texts::kCancel.toString());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);
}

void EngineSettingsDialog::load(const EngineSettings &settings)
{
    m_timeout->setValue(settings.networkTimeout);
    m_buffer->setValue(settings.bufferMegabytes);
    m_transport->setCurrentIndex(static_cast<int>(settings.rtspTransport));
    m_proxy->setText(settings.httpProxy);
    m_problem->hide();
}

EngineSettings EngineSettingsDialog::settings() const
{
    EngineSettings settings;
    settings.networkTimeout = m_timeout->value();
    settings.bufferMegabytes = m_buffer->value();
    settings.rtspTransport
        = static_cast<EngineSettings::RtspTransport>(m_transport->currentIndex());
    settings.httpProxy = m_proxy->text().trimmed();
    return settings;
}

void EngineSettingsDialog::accept()
{
    if (!EngineSettings::isValidProxy(m_proxy->text().trimmed())) {
        m_problem->setText(QStringLiteral("代理地址应为 http://主机:端口"));
        m_problem->show();
        m_proxy->setFocus();
        return;
    }
    QDialog::accept();
    Q_EMIT settingsAccepted(settings());
}
