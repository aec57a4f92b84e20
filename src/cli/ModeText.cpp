#include "ModeText.h"

#include "core/text/Translations.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <array>

using namespace levelconf;

namespace
{
// The refusals, in the language of the run.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(ModeText)
};

// The words are typed in English in every language; a person reads them translated where
// the mode is shown (ModeText).
const std::array<QString, 5> kOutputs = {
    QStringLiteral(QT_TRANSLATE_NOOP("ModeText", "rs485")),
    QStringLiteral(QT_TRANSLATE_NOOP("ModeText", "analog")),
    QStringLiteral(QT_TRANSLATE_NOOP("ModeText", "frequency")),
    QStringLiteral(QT_TRANSLATE_NOOP("ModeText", "impulse")),
    QStringLiteral(QT_TRANSLATE_NOOP("ModeText", "active-rs485"))};

struct FlagWord {
    QString word;
    bool ModeControls::*member;
    quint8 bit;
};
const std::array<FlagWord, 5> kFlags = {{
    {QStringLiteral(QT_TRANSLATE_NOOP("ModeText", "inverted")), &ModeControls::inverted, 0x01},
    {QStringLiteral(QT_TRANSLATE_NOOP("ModeText", "filtration")), &ModeControls::filtration, 0x08},
    {QStringLiteral(QT_TRANSLATE_NOOP("ModeText", "percent")), &ModeControls::percent, 0x20},
    {QStringLiteral(QT_TRANSLATE_NOOP("ModeText", "litres")), &ModeControls::litres, 0x40},
    {QStringLiteral(QT_TRANSLATE_NOOP("ModeText", "range4096")), &ModeControls::range4096, 0x80},
}};

const std::array<std::pair<QString, EchoChoice>, 3> kEchoes = {{
    {QStringLiteral(QT_TRANSLATE_NOOP("ModeText", "closest")), EchoChoice::First},
    {QStringLiteral(QT_TRANSLATE_NOOP("ModeText", "further")), EchoChoice::Last},
    {QStringLiteral(QT_TRANSLATE_NOOP("ModeText", "both")), EchoChoice::FirstLast},
}};

bool takeLevel(const QString &value, ModeChoice *mode)
{
    bool ok = false;
    const int level = value.toInt(&ok);
    if (!ok || level < 0 || level > 15)
        return false;
    mode->level = static_cast<quint8>(level);
    return true;
}

bool takeEcho(const QString &value, ModeChoice *mode)
{
    for (const auto &[word, choice] : kEchoes) {
        if (word == value) {
            mode->echo = choice;
            return true;
        }
    }
    return false;
}

bool takePart(const QString &part, ModeChoice *mode)
{
    if (part.startsWith(QLatin1String("level=")))
        return takeLevel(part.mid(6), mode);
    if (part.startsWith(QLatin1String("echo=")))
        return takeEcho(part.mid(5), mode);
    for (const FlagWord &f : kFlags) {
        if (f.word == part) {
            mode->controls.*f.member = true;
            return true;
        }
    }
    return false;
}
} // namespace

std::optional<ModeChoice> parseModeWords(const QString &text, QString *error)
{
    const QStringList parts = text.split(QLatin1Char('+'));
    ModeChoice choice;
    const auto output = std::find(kOutputs.begin(), kOutputs.end(), parts.first());
    if (output == kOutputs.end()) {
        *error = Texts::tr("the mode starts with its output: %1")
                     .arg(QStringList(kOutputs.begin(), kOutputs.end()).join(QStringLiteral(", ")));
        return std::nullopt;
    }
    choice.controls.outputs[output - kOutputs.begin()] = true;
    for (const QString &part : parts.mid(1)) {
        if (!takePart(part, &choice)) {
            *error = Texts::tr("\"%1\" is not a mode flag (inverted, filtration, range4096, "
                               "litres, percent, level=0..15, echo=closest|further|both)")
                         .arg(part);
            return std::nullopt;
        }
    }
    return choice;
}

QString modeWordsText(quint8 mode)
{
    const ModeFlags f = decodeModeByte(mode);
    QStringList words{
        f.output ? kOutputs[static_cast<size_t>(*f.output)]
                 : QStringLiteral("output-0x%1").arg(mode & 0x16, 2, 16, QLatin1Char('0'))};
    for (const FlagWord &flag : kFlags) {
        if (mode & flag.bit)
            words << flag.word;
    }
    return words.join(QLatin1Char('+'));
}

QString echoChoiceText(EchoChoice choice)
{
    for (const auto &[word, c] : kEchoes) {
        if (c == choice)
            return word;
    }
    return QString();
}

QString modeWordsShown(quint8 mode)
{
    QStringList words = modeWordsText(mode).split(QLatin1Char('+'));
    for (QString &w : words)
        w = translatedText("ModeText", w);
    return words.join(QLatin1Char('+'));
}

QString echoChoiceShown(EchoChoice choice)
{
    return translatedText("ModeText", echoChoiceText(choice));
}
