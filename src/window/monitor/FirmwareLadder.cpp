// The firmware ladder: each group a firmware version brings enables its controls on every
// page, and some of them change what the monitor shows.
#include "MonitorPart.h"

#include "core/sensor/ModeByte.h"
#include "window/session/SensorSession.h"
#include "window/session/SessionDisplay.h"
#include "window/widgets/Tags.h"

#include <QCheckBox>
#include <QLabel>

using namespace levelconf;

namespace
{
enum class Warning { Keep, Hide, Show }; // the empty-value warning on the settings page

// One step of the ladder: the Tags it enables, whether it shows them too, what it does to
// the empty-value warning, and what else the monitor shows for it.
struct LadderStep {
    int group;
    int lowestTag;
    int highestTag; // below lowestTag: the group has no controls of its own
    bool show;
    Warning warning;
    bool tableFlagsFromEditor; // the litre and per-cent boxes only mirror the table editor
    bool range256;             // its wide range counts 256 codes
    bool filtrationSlider;     // the filtration slider takes over from the on/off box
};

constexpr LadderStep kLadder[] = {
    {130, 130, 130, false, Warning::Hide, false, false, false},
    {131, 131, 131, false, Warning::Hide, false, false, false},
    {134, Tags::kLaterControlsFirst, Tags::kLaterControlsLast, false, Warning::Hide, false, false,
     false},
    {163, 163, 163, false, Warning::Show, false, false, false},
    {170, 170, 170, true, Warning::Show, true, false, false},
    {171, 171, 171, true, Warning::Keep, false, false, false},
    {172, 0, -1, false, Warning::Keep, false, true, false},
    {Tags::kHiddenGroup, Tags::kHiddenGroup, Tags::kHiddenGroup, true, Warning::Keep, false, false,
     true},
};

const LadderStep *stepOf(int group)
{
    for (const LadderStep &s : kLadder) {
        if (s.group == group)
            return &s;
    }
    return nullptr;
}
} // namespace

void MonitorPart::runFirmwareLadder()
{
    for (int group : firmwareLadder(m_fwVersion)) {
        const LadderStep *step = stepOf(group);
        if (!step)
            continue;
        if (step->lowestTag <= step->highestTag)
            m_session.display().enableTagGroup(step->lowestTag, step->highestTag, step->show);
        if (step->warning != Warning::Keep)
            m_ui.Kalibr_warning->setVisible(step->warning == Warning::Show);
        if (step->tableFlagsFromEditor) {
            m_ui.tartab1->setEnabled(false);
            m_ui.per_sents->setEnabled(false);
        }
        if (step->range256)
            m_range256 = true;
        if (step->filtrationSlider) {
            for (QWidget *w :
                 {static_cast<QWidget *>(m_ui.usred), static_cast<QWidget *>(m_ui.usredn)}) {
                w->setEnabled(false);
                w->setVisible(false);
            }
        }
    }
}
