#pragma once

#include "core/command/Operator.h"

class CliOutput;

// The operator of levelconf-cli is its command line: it has said Yes to the setting it gave
// and has nothing more to type in. What the sensor answers to it goes to standard output
// when it is the confirmation awaited, to standard error otherwise, after the setting's key.
class TerminalOperator : public levelconf::Operator
{
public:
    TerminalOperator(CliOutput &out, const QString &key, quint8 address, quint8 awaited)
        : m_out(out), m_key(key), m_address(address), m_awaited(awaited)
    {
    }

    bool confirm(const QString &) override { return true; }
    void refuse(const QString &message, levelconf::CommandTone tone) override;
    std::optional<QString> typed(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    void report(const levelconf::CommandStatus &status) override;

private:
    CliOutput &m_out;
    QString m_key;
    quint8 m_address;
    quint8 m_awaited;
    bool m_wrongAnswerTold = false;
};
