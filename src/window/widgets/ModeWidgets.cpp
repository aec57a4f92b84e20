#include "ModeWidgets.h"

#include <QCheckBox>
#include <QRadioButton>

using namespace levelconf;

namespace
{
bool ticked(const QCheckBox *box)
{
    return box->checkState() != Qt::Unchecked;
}
} // namespace

ModeControls readModeControls(const ModeWidgets &w)
{
    ModeControls c;
    for (int i = 0; i < 5; ++i)
        c.outputs[i] = w.outputs[i]->isChecked();
    c.inverted = ticked(w.inverted);
    c.filtration = ticked(w.filtration);
    c.range4096 = ticked(w.range4096);
    c.litres = ticked(w.litres);
    c.percent = ticked(w.percent);
    return c;
}
