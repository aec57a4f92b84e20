#pragma once

#include "core/protocol/FirmwareCapabilities.h"

#include <QString>
#include <optional>

// The sensor the operator has picked, as the monitor shows it: its entry in the address
// list, whether it is answering, and what its firmware can do.
class SelectedSensor
{
public:
    virtual ~SelectedSensor() = default;

    // The text of the selected address list entry; nothing when no entry is selected.
    virtual std::optional<QString> selectedEntry() const = 0;
    // The present reading shows a value: the sensor has answered since the port opened.
    virtual bool answering() const = 0;
    virtual levelconf::FirmwareCapabilities capabilities() const = 0;
    // What the sensor at `address` can do, when it is the one whose identity was read;
    // nothing for any other address.
    virtual std::optional<levelconf::FirmwareCapabilities> capabilitiesAt(quint8 address) const = 0;
    // The present distance as the readings show it, "No data" while there is none.
    virtual QString presentLevel() const = 0;
};
