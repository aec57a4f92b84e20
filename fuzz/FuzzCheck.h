#pragma once

#include "core/protocol/FrameCodec.h"

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What every fuzz target shares: the input as the parsers see it, and a check of what
// they made of it whose failure libFuzzer reports as a finding, with the input saved.

// The input itself, not a copy: libFuzzer hands it over in a block of exactly its size,
// so a read one byte past the end is caught by the address sanitizer instead of landing
// in the spare room a QByteArray keeps after its data.
inline QByteArray fuzzInput(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
}

// The frame as received and, unless it is empty, with a good check byte in place of its
// last one: random bytes almost never pass the CRC, and the mended frame goes on to what an
// intact one reaches.
inline QList<QByteArray> receivedAndMended(const QByteArray &frame)
{
    if (frame.isEmpty())
        return {frame};
    return {frame, levelconf::withCrc(frame.chopped(1))};
}

[[noreturn]] inline void fuzzCheckFailed(const char *condition, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? void(0) : fuzzCheckFailed(#condition, __FILE__, __LINE__))
