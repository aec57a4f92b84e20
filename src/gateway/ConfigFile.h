#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

// The gateway's configuration file: one "key = value" a line, the keys those of the
// command line without their dashes. Blank lines and lines starting with "#" are left
// out; the value is the rest of the line, trimmed, and may be empty.

struct ConfigEntry {
    QString key;
    QString value;
    int line = 0; // from 1, for messages
};

// The entries of `text`, the file `name`; nothing, with the file, the line and what is
// wrong in `error`, for a line that is not "key = value" or a key given twice (two ports in
// one file are a slip, and which one would win is not for the program to guess).
std::optional<std::vector<ConfigEntry>> parseConfigText(const QString &text, const QString &name,
                                                        QString *error);

// The bytes of a small file the program is given by name: a configuration or a password
// file. A device or a pipe named by mistake would be read without end or waited on, so
// anything but a regular file is refused, as is a file over `maxBytes`.
std::optional<QByteArray> readSmallFile(const QString &path, qint64 maxBytes, QString *error);
