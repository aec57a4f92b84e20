#include "GatewayLog.h"

#include "OptionChecks.h"

#include <cstdio>

void gatewayLog(const QString &line)
{
    std::fprintf(stderr, "%s\n", escapedText(line).toUtf8().constData());
    std::fflush(stderr);
}
