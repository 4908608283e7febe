#pragma once

#include "app/program.h"
#include "app/windowset.h"
#include "core/program/appstate.h"
#include "support/fakeengine.h"
#include "support/recordinglauncher.h"
#include "support/scriptedprompts.h"
#include "ui/common/appcontext.h"

#include <QPointer>
#include <QTemporaryDir>

#include <memory>

// The program's windows wired by the real composition root to fakes: an
// application folder in a temporary directory, scripted prompts, a recording
// launcher and a FakeEngine.
struct TestHub
{
    QTemporaryDir dir;
    AppState state;
    ScriptedPrompts prompts;
    RecordingLauncher launcher;
    AppContext context { state, prompts, launcher, AppFolder(dir.path()),
        ServiceHosts { QStringLiteral("svc.example"), QStringLiteral("partner.example") } };
    QPointer<FakeEngine> engine;
    bool engineAvailable = true;
    Program program { context,
        std::make_unique<EngineFactory>([this]() -> std::unique_ptr<MediaEngine> {
            if (!engineAvailable)
                return nullptr;
            auto created = std::make_unique<FakeEngine>();
            engine = created.get();
            return created;
        }) };
    WindowSet &hub = program.windows();
};
