#pragma once

namespace levelconf
{

// The time-outs and block size of the port, kept by the port module itself rather than
// by the operating system, so that they hold the same on every platform.
namespace Transfer
{
constexpr int kBlock = 255;                  // bytes an answer may hold
constexpr int kReadGapMs = 20;               // a read ends on this much silence after data
constexpr int kReadTotalMs = 1 + kBlock * 1; // and never waits longer than this
constexpr int kWriteConstantMs = 10;         // a write of n bytes may take 10 + n ms
constexpr int kWritePerByteMs = 1;

inline int writeTimeoutMs(int bytes)
{
    return kWriteConstantMs + kWritePerByteMs * bytes;
}
} // namespace Transfer

} // namespace levelconf
