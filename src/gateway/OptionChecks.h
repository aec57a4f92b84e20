#pragma once

#include <QString>

// Checks the gateway's options share, and the way their values are shown back.

// `text` as a message shows it: each control character (a tab, a NUL, an escape) written
// out as \t, \n, \r or \xHH, so that none cuts the message short, moves the cursor or
// passes for the end of a line in the journal.
QString escapedText(const QString &text);

bool hasControlCharacters(const QString &text);

// Whether `text` is what UTF-8 can carry: no replacement character, left where the bytes
// given were not UTF-8, and no lone surrogate.
bool isCleanUnicode(const QString &text);

// Whether `prefix` can stand at the start of an MQTT topic: levels joined by "/", none of
// them empty, no wildcard (+ or #), no control character, clean Unicode, at most
// `maxBytes` of UTF-8, leaving room for the levels the gateway adds.
bool isTopicPrefix(const QString &prefix, int maxBytes);
