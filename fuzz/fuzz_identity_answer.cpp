// The identity answer (0xFC) and the search answer as the bus brings them: the serial
// number and version taken only from answers long enough to hold them, any answer but a
// complete one with its check byte right recognised as damaged, and the texts the window
// and the log show.
#include "FuzzCheck.h"
#include "core/protocol/AnswerCheck.h"
#include "core/protocol/FrameCodec.h"
#include "core/sensor/IdentityAnswer.h"

using namespace levelconf;

namespace
{
void checkIdentity(const QByteArray &answer)
{
    const IdentityAnswer id = decodeIdentityAnswer(answer);
    FUZZ_CHECK(id.serial.has_value() == (answer.size() >= 8));
    FUZZ_CHECK(id.versionCode.has_value() == (answer.size() == 10));
    const bool framedIdentity = isFramedAnswer(answer) && quint8(answer.at(2)) == 0xFC;
    FUZZ_CHECK(identityAnswerDamaged(answer) ==
               (!framedIdentity || answer.size() != 10 || !answerCrcMatches(answer)));
    if (identityAnswerDamaged(answer)) {
        FUZZ_CHECK(answerCheckText(answer).startsWith(QString::number(answer.size()) +
                                                      QStringLiteral(" bytes, CRC received ")));
    }
    if (id.versionCode) {
        // Up to three digits of prefix, then three places each ended by a dot.
        const QString version = versionText(id.versionPrefix, *id.versionCode);
        FUZZ_CHECK(version.size() >= 3 && version.size() <= 9);
        FUZZ_CHECK(version.count(QLatin1Char('.')) == 3 && version.endsWith(QLatin1Char('.')));
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray answer = fuzzInput(data, size);
    for (const QByteArray &frame : receivedAndMended(answer))
        checkIdentity(frame);

    const QStringList addresses = searchAddresses(answer);
    FUZZ_CHECK(addresses.size() == answer.size());
    FUZZ_CHECK(searchListText(answer).count(QLatin1Char(' ')) == answer.size());
    return 0;
}
