#pragma once

#include <QByteArray>
#include <QString>

// What the log says of an answer that failed its check: its length and the check byte it
// carried beside the one worked out over the rest, "83 bytes, CRC received 5A, computed 3C".
QString answerCheckText(const QByteArray &answer);
