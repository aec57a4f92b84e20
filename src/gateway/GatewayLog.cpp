#include "GatewayLog.h"

#include <cstdio>

void gatewayLog(const QString &line)
{
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    std::fflush(stderr);
}
