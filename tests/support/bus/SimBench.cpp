#include "SimBench.h"

#include "SettledTick.h"

#include "ui_frmSerial.h"

using namespace levelconf;

SensorConfig steadySensor(quint8 address, quint8 firmware)
{
    SensorConfig c;
    c.address = address;
    c.firmware = firmware;
    c.serial = 70000u + address;
    c.amplitude = 200000u + 1000u * address;
    c.liveVariation = false;
    return c;
}

void SimBench::tick()
{
    tickAndSettle(h, sim);
}

bool SimBench::tickUntil(const std::function<bool()> &done)
{
    for (int i = 0; i < 10; ++i) {
        tick();
        if (done())
            return true;
    }
    return false;
}

bool SimBench::tickUntilCaption(const QString &caption)
{
    return tickUntil([&] { return ui()->MsgCom->text() == caption; });
}

bool SimBench::pick(quint8 address, const QString &version)
{
    const QString text = QString::number(address);
    ui()->Opros->click();
    if (!tickUntil([&] { return ui()->CmbNet->findText(text) >= 0; }))
        return false;
    ui()->CmbNet->setCurrentIndex(ui()->CmbNet->findText(text));
    w().parts().monitor->CmbNet_Click();
    const std::optional<SensorConfig> s = sim.bus().sensor(address);
    return s && tickUntil([&] {
               return ui()->vv->text() == version &&
                      ui()->sn->text() == QString::number(s->serial) &&
                      ui()->tek->text() == QString::number(s->amplitude);
           });
}

void SimBench::mark()
{
    m_logMark = h.logEvents().size();
    m_toneMark = h.tone.beeps.size();
    h.dialogs.clear();
}

SensorConfig SimBench::sensor(quint8 address)
{
    return sim.bus().sensor(address).value_or(SensorConfig{});
}
