#include "LoaderFrames.h"

namespace levelconf
{

quint8 xorOf(const QByteArray &bytes, quint8 seed)
{
    quint8 x = seed;
    for (char b : bytes)
        x ^= static_cast<quint8>(b);
    return x;
}

QByteArray codeFrame(quint8 code)
{
    QByteArray out;
    out.append(static_cast<char>(code));
    out.append(static_cast<char>(~code & 0xFF));
    return out;
}

QByteArray addressFrame(quint32 address)
{
    QByteArray out;
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(static_cast<char>((address >> shift) & 0xFF));
    out.append(static_cast<char>(xorOf(out)));
    return out;
}

QByteArray dataFrame(const QByteArray &data)
{
    if (data.isEmpty() || data.size() > Loader::kMaxData)
        return {};
    const auto count = static_cast<quint8>(data.size() - 1);
    QByteArray out;
    out.reserve(data.size() + 2);
    out.append(static_cast<char>(count));
    out.append(data);
    out.append(static_cast<char>(xorOf(data, count)));
    return out;
}

} // namespace levelconf
