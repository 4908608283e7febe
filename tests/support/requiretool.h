#pragma once

#include <QTest>
#include <QtGlobal>

// Skips a test whose tools are not installed, but fails it under CI (CI set):
// there, a missing install step must not pass as a skipped test.
#define TUNVIA_REQUIRE_TOOLS(available, what)                                                      \
    do {                                                                                           \
        if (!(available)) {                                                                        \
            if (qEnvironmentVariableIsSet("CI"))                                                   \
                QFAIL(what " is not installed");                                                   \
            QSKIP(what " is not installed");                                                       \
        }                                                                                          \
    } while (false)
