#include "window/platform/AlsaTone.h"

#include <QtTest>
#include <algorithm>
#include <cstdlib>

class tst_Tone : public QObject
{
    Q_OBJECT

private slots:
    void toneLastsItsDurationAndStartsAndEndsQuietly()
    {
        const auto s = sineSamples(400, 800, 44100);
        QCOMPARE(int(s.size()), 35280);
        QCOMPARE(s.front(), short(0));
        QVERIFY(std::abs(s.back()) < 200);
        const short peak = *std::max_element(s.begin(), s.end());
        QVERIFY(peak > 10000 && peak < 32767);
        // 400 Hz over 0.8 s crosses zero upwards 320 times.
        int rises = 0;
        for (size_t i = 1; i < s.size(); ++i)
            rises += (s[i - 1] < 0 && s[i] >= 0);
        QVERIFY(std::abs(rises - 320) <= 1);
    }

    void nonsenseGivesSilence()
    {
        QVERIFY(sineSamples(0, 100, 44100).empty());
        QVERIFY(sineSamples(1000, 0, 44100).empty());
        QVERIFY(sineSamples(1000, -5, 44100).empty());
    }

    // Without a sound device a tone is silence; it must neither block nor fail.
    void beepingWithoutADeviceReturnsAtOnce()
    {
        qputenv("ALSA_CONFIG_PATH", "/nonexistent");
        QElapsedTimer clock;
        clock.start();
        {
            AlsaTone tone;
            for (int i = 0; i < 20; ++i)
                tone.Beep(1000, 100);
        }
        // Twenty tones would sound for two seconds; with no device nothing may wait for
        // them, nor retry the device, neither the calls nor the end.
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_GUILESS_MAIN(tst_Tone)
#include "tst_tone.moc"
