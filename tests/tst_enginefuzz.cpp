#include "AnswerFrames.h"
#include "WindowHarness.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/sensor/DataAnswer.h"
#include "ui_frmSerial.h"
#include "window/widgets/Colours.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace levelconf;

namespace
{
// The stability indicator's colours, and none before the first reading.
const QList<QColor> kLampColours = {Colours::StabGreen, Colours::StabYellow, Colours::Red,
                                    Colours::StabOff, QColor()};
} // namespace

// Whatever a bus brings, the engine and the decoders neither crash, nor hang, nor read
// outside the answer (the sanitizer build checks the last). Fixed seeds, so a failure can
// be replayed.
class tst_EngineFuzz : public QObject
{
    Q_OBJECT

    static QByteArray randomBytes(QRandomGenerator &rng, int length)
    {
        QByteArray out(length, '\0');
        for (int i = 0; i < length; ++i)
            out[i] = static_cast<char>(rng.bounded(256));
        return out;
    }

    static QByteArray identity(quint8 fw)
    {
        return framedAnswer(5, Cmd::ReadIdentity, bytes({0x39, 0x30, 0, 0, fw, 0}));
    }

    static quint8 someCode(QRandomGenerator &rng)
    {
        static const quint8 codes[] = {
            Cmd::ReadData,        Cmd::ReadIdentity,   Cmd::EmptySet,
            Cmd::FullSet,         Cmd::ShiftEmpty,     Cmd::ShiftFull,
            Cmd::SetEmptyDirect,  Cmd::SetFullDirect,  Cmd::SetMode,
            Cmd::SetAir,          Cmd::SetMinDistance, Cmd::SetMaxDistance,
            Cmd::SetNetAddress,   Cmd::EnterPassword,  Cmd::ChangePassword,
            Cmd::SerialNumberSet, Cmd::ReadTable,      Cmd::WriteTable,
            Cmd::WrongPassword,   Cmd::FrequencyMode,  Cmd::Par};
        if (rng.bounded(4) == 0)
            return quint8(rng.bounded(256));
        return codes[rng.bounded(int(sizeof codes))];
    }

    static DataFields randomFields(QRandomGenerator &rng)
    {
        DataFields f;
        f.address = quint8(rng.bounded(256));
        f.temperature = quint8(rng.bounded(256));
        f.output = quint16(rng.bounded(65536));
        f.amplitude = rng.generate();
        // Mostly values short enough for the balance and the warning, sometimes not.
        f.emptyValue = rng.bounded(2) ? rng.bounded(200000u) : rng.generate();
        f.fullValue = rng.bounded(2) ? rng.bounded(20000000u) : rng.generate();
        f.k = quint16(rng.bounded(3) == 0 ? 0 : rng.bounded(65536));
        f.mode = quint8(rng.bounded(256));
        f.minDistance = quint8(rng.bounded(256));
        f.echo = quint8(rng.bounded(256));
        f.maxDistance = quint16(rng.bounded(65536));
        return f;
    }

    // One answer of a random kind: noise, a framed answer of any code, or a data or
    // identity answer cut anywhere, mostly with a good CRC so that the decoders run.
    static QByteArray randomAnswer(QRandomGenerator &rng, DataFields *fields)
    {
        switch (rng.bounded(5)) {
        case 0:
            return randomBytes(rng, rng.bounded(256));
        case 1: {
            QByteArray a = framedAnswer(quint8(rng.bounded(256)), someCode(rng),
                                        randomBytes(rng, rng.bounded(32)));
            if (rng.bounded(4) == 0)
                a[a.size() - 1] = static_cast<char>(rng.bounded(256));
            return a;
        }
        case 2:
            *fields = randomFields(rng);
            return dataAnswer(*fields, rng.bounded(2) ? 26 : rng.bounded(31));
        case 3:
            return withCrc(bytes({0x3E, 5, 0xF0}) + randomBytes(rng, rng.bounded(253)));
        default:
            return withCrc(bytes({0x3E, 5, 0xFC}) + randomBytes(rng, rng.bounded(12)));
        }
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale::c());
    }

    void randomAnswersThroughTheEngine()
    {
        WindowHarness h;
        h.openPort();
        QRandomGenerator rng(20261207);
        int complete = 0;
        for (int i = 0; i < 4000; ++i) {
            if (!h.port.opened)
                h.openPort();
            // The settings controls follow the next answer, or have just followed one.
            if (rng.bounded(2))
                h.w().parts().monitor->followSensorSettings();
            else
                h.w().parts().monitor->showModes(quint8(rng.bounded(256)));
            if (rng.bounded(6) == 0)
                h.ui()->Opros->click();
            if (rng.bounded(8) == 0)
                h.w().parts().monitor->showIdentity(identity(quint8(rng.bounded(256))));
            if (rng.bounded(16) == 0)
                h.port.writeCounts.push_back(0);
            if (rng.bounded(16) == 0)
                h.w().engine().queue(randomBytes(rng, rng.bounded(8)));
            h.ui()->D_4096->setChecked(rng.bounded(2));

            DataFields fields;
            fields.amplitude = 0;
            const QByteArray answer = randomAnswer(rng, &fields);
            h.port.reads.push_back(answer);
            // A failure is told once, so the box does not show each write the port refuses.
            const bool writeTaken = h.port.writeCounts.empty();
            const int writesBefore = h.port.writes.size();
            h.w().engine().tick();

            QCOMPARE(h.port.writes.size(), writesBefore + 1);
            QVERIFY(!h.w().engine().busy());
            QVERIFY(h.port.reads.empty());
            QVERIFY(kLampColours.contains(fillOf(h.ui()->ind_stab)));
            QVERIFY(h.ui()->CmbNet->count() >= 1 && h.ui()->CmbNet->count() < 20);
            // A complete, intact data answer always shows its amplitude.
            if (answer.size() == 26 && fields.amplitude != 0 && h.port.opened && writeTaken) {
                QCOMPARE(h.ui()->tek->text(), QString::number(fields.amplitude));
                ++complete;
            }
            h.dialogs.clear();
            h.tone.beeps.clear();
        }
        // The loop did meet the answers it means to check.
        QVERIFY(complete > 100);
    }

    void randomBytesStraightIntoTheDecoders()
    {
        WindowHarness h;
        h.openPort();
        QRandomGenerator rng(4100);
        Stability stability;
        for (int i = 0; i < 3000; ++i) {
            const QByteArray noise = randomBytes(rng, rng.bounded(256));
            if (rng.bounded(2))
                h.w().parts().monitor->followSensorSettings();
            h.w().parts().monitor->showData(noise);
            h.w().parts().monitor->showIdentity(noise);
            h.w().parts().monitor->showModes(quint8(rng.bounded(256)));
            h.w().parts().monitor->showEchoSelection(quint8(rng.bounded(256)));
            if (noise.size() >= 4)
                emit h.w().engine().answered(quint8(noise.at(2)), noise);
            // The engine hands over a search answer only while one is awaited, and shorter
            // than 20 bytes.
            if (rng.bounded(2))
                h.w().parts().monitor->showSearch(noise.left(rng.bounded(20)));
            QVERIFY(h.ui()->Slider1->value() >= 0 && h.ui()->Slider1->value() <= 15);
            h.dialogs.clear();
            h.tone.beeps.clear();

            // The stability score and hold stay in their bounds whatever the amplitudes,
            // with the tick's count-down in between.
            const quint32 amplitude = rng.bounded(3) == 0 ? 0 : rng.generate() >> rng.bounded(32);
            stability = nextStability(stability, amplitude).state;
            QVERIFY(stability.cnt >= 0 && stability.cnt <= 5);
            QVERIFY(stability.hold >= 0 && stability.hold <= 60);
            if (stability.hold > 0 && rng.bounded(2))
                --stability.hold;
        }
    }
};

QTEST_MAIN(tst_EngineFuzz)
#include "tst_enginefuzz.moc"
