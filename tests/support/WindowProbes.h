#pragma once

#include <QStringList>

class QComboBox;
namespace Ui
{
class frmSerial;
}

// What the window shows, read in one go, to compare before and after an answer.

// The items of a combo box, in order.
QStringList comboItems(const QComboBox *combo);

// The texts of the reading labels and settings boxes that a data answer writes, and the
// level bar's value.
QStringList readingTexts(const Ui::frmSerial *ui);
