#pragma once

#include <QString>
#include <QStringList>

namespace levelconf
{

// How the port list is ordered and how a list item becomes the device to open.

// The port list shows at most this many names.
constexpr int kMaxListedPorts = 30;

// True when `a` comes before `b` with runs of digits compared as numbers, so that
// ttyS2 comes before ttyS10 and COM9 before COM10.
bool naturalLess(const QString &a, const QString &b);

// `names` in ascending natural order, at most kMaxListedPorts of them.
QStringList sortPortNames(QStringList names);

// A typed path (anything with a directory separator) is opened as it is.
bool isDevicePath(const QString &item);

// The device behind a list item: "\\.\COM3" on Windows, "/dev/ttyUSB0" elsewhere.
QString deviceNameFor(const QString &item, bool windows);

} // namespace levelconf
