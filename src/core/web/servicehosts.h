#pragma once

#include <QString>

// Hosts of the web service (song search, navigation pages, update page) and of
// the partner video site. Set at build time with the CMake cache variables
// TUNVIA_SERVICE_HOST and TUNVIA_PARTNER_HOST; the environment variables of
// the same names override them at run time (tests point them at 127.0.0.1).
struct ServiceHosts
{
    QString service;
    QString partner;

    static ServiceHosts fromBuildAndEnvironment();
};
