#pragma once

#include "app/appcontext.h"
#include "app/appstate.h"
#include "app/windowhub.h"
#include "support/fakeengine.h"
#include "support/recordinglauncher.h"
#include "support/scriptedprompts.h"

#include <QPointer>
#include <QTemporaryDir>

#include <memory>

// The program's windows wired to fakes: an application folder in a temporary
// directory, scripted prompts, a recording launcher and a FakeEngine.
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
    WindowHub hub { context, [this]() -> std::unique_ptr<MediaEngine> {
                       if (!engineAvailable)
                           return nullptr;
                       auto created = std::make_unique<FakeEngine>();
                       engine = created.get();
                       return created;
                   } };
};
