// The engine settings file: any engine.ini gives settings within their
// bounds, which save and load back the same.
#include "fuzzcheck.h"

#include "engine/enginesettings.h"

#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const EngineSettings settings = EngineSettings::fromIni(fuzzBytes(data, size));
    FUZZ_CHECK(settings.networkTimeout >= EngineSettings::minTimeout
        && settings.networkTimeout <= EngineSettings::maxTimeout);
    FUZZ_CHECK(settings.bufferMegabytes >= EngineSettings::minBuffer
        && settings.bufferMegabytes <= EngineSettings::maxBuffer);
    FUZZ_CHECK(EngineSettings::isValidProxy(settings.httpProxy));
    const QString path = dir.filePath(QStringLiteral("engine.ini"));
    FUZZ_CHECK(settings.save(path));
    FUZZ_CHECK(EngineSettings::load(path) == settings);
    return 0;
}
