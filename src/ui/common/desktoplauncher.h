#pragma once

#include "core/program/launcher.h"

class DesktopLauncher final : public Launcher
{
public:
    bool openUrl(const QString &address) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;
};
