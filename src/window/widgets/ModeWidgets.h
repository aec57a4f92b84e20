#pragma once

#include "core/protocol/Requests.h"

class QCheckBox;
class QRadioButton;

// A set of mode controls on the window: the five output options in the order of
// ModeControls, and the flag boxes. The main window's modes frame and the remote page
// each have one.
struct ModeWidgets {
    const QRadioButton *outputs[5];
    const QCheckBox *inverted;
    const QCheckBox *filtration;
    const QCheckBox *range4096;
    const QCheckBox *litres;
    const QCheckBox *percent;
};

// What the controls say; a grey flag box counts as ticked.
levelconf::ModeControls readModeControls(const ModeWidgets &w);
