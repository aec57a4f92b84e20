#include "IdentityAnswer.h"

#include "core/protocol/AnswerCheck.h"
#include "core/protocol/AnswerLength.h"
#include "core/protocol/ByteString.h"
#include "core/protocol/CommandCodes.h"

namespace levelconf
{

namespace
{
constexpr int kCompleteLength = *expectedAnswerLength(Cmd::ReadIdentity, {});
constexpr int kSerialEnd = 8; // the serial number's bytes 4-7 and at least the CRC after them
} // namespace

IdentityAnswer decodeIdentityAnswer(const QByteArray &aans)
{
    IdentityAnswer id;
    if (aans.size() < kSerialEnd)
        return id;
    id.serial = leValue(aans, 4, 4);
    if (aans.size() == kCompleteLength) {
        id.versionCode = byteAt(aans, 8);
        id.versionPrefix = byteAt(aans, 9).value_or(0);
    }
    return id;
}

bool identityAnswerDamaged(const QByteArray &aans)
{
    return !answerAccepted(aans, {std::nullopt, Cmd::ReadIdentity, std::nullopt});
}

QString versionText(quint8 prefix, quint8 code)
{
    QString out;
    if (prefix != 0)
        out = QString::number(prefix);
    const QString digits = QString::number(code);
    for (int i = 0; i < 3; ++i) {
        if (i < digits.size())
            out += digits.at(i);
        out += QLatin1Char('.');
    }
    return out;
}

QStringList searchAddresses(const QByteArray &answer)
{
    QStringList out;
    for (char c : answer)
        out.append(QString::number(static_cast<quint8>(c)));
    return out;
}

QString searchListText(const QByteArray &answer)
{
    QString out;
    for (const QString &a : searchAddresses(answer))
        out += a + QLatin1Char(' ');
    return out;
}

QString identityLogLine(const QString &serial, const QString &version)
{
    return QStringLiteral("Device: ") + serial + QStringLiteral("  Ver Soft: ") + version;
}

} // namespace levelconf
