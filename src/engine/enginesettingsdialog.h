#pragma once

#include "engine/enginesettings.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// The engine's own window "性能/连接设置": network time-out, buffer size,
// RTSP transport and HTTP proxy. OK applies the values at once.
class EngineSettingsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit EngineSettingsDialog(QWidget *parent = nullptr);

    void load(const EngineSettings &settings);
    EngineSettings settings() const;

    void accept() override;

Q_SIGNALS:
    void settingsAccepted(const EngineSettings &settings);

private:
    QSpinBox *m_timeout = nullptr;
    QSpinBox *m_buffer = nullptr;
    QComboBox *m_transport = nullptr;
    QLineEdit *m_proxy = nullptr;
    QLabel *m_problem = nullptr;
};
