#pragma once

#include <QString>

// One line of the gateway's log, on standard error, where the service manager's journal
// takes it and stamps its time. Lines tell changes of state (a port opened or lost, the
// broker reached or gone, a sensor online or offline), never each poll or try.
void gatewayLog(const QString &line);
