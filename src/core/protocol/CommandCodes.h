#pragma once

#include <QtGlobal>

namespace levelconf
{

// Every command code the program sends or acts on, and the fixed frame bytes.
namespace Cmd
{
constexpr quint8 RequestPrefix = 0x31; // "1"
constexpr quint8 AnswerPrefix = 0x3E;  // ">"
constexpr quint8 SearchAddress = 0xFF; // search request: 31 FF CRC, no command code
// A sensor takes the addresses 0 to this one; the next is the search address.
constexpr quint8 HighestSensorAddress = SearchAddress - 1;

constexpr quint8 ReadData = 0xF0;
constexpr quint8 ReadIdentity = 0xFC;
constexpr quint8 EmptySet = 0xFA; // confirmation only
constexpr quint8 FullSet = 0xF5;  // confirmation only
constexpr quint8 ShiftEmpty = 0xF9;
constexpr quint8 ShiftFull = 0xF4;
constexpr quint8 SetEmptyDirect = 0xED;
constexpr quint8 SetFullDirect = 0xEC;
constexpr quint8 SetMode = 0xF2;
constexpr quint8 SetAir = 0xD0;
constexpr quint8 SetMinDistance = 0xEE;
constexpr quint8 SetMaxDistance = 0xE9;
constexpr quint8 SetNetAddress = 0xFB;
constexpr quint8 EnterPassword = 0xF8;
constexpr quint8 ChangePassword = 0xF7;
constexpr quint8 SerialNumberSet = 0xF6; // confirmation only
constexpr quint8 ReadTable = 0xEF;
constexpr quint8 WriteTable = 0xF1;
constexpr quint8 WrongPassword = 0xFD; // answer only
constexpr quint8 FrequencyMode = 0xFE; // answer only
constexpr quint8 Par = 0x06;           // answer only
} // namespace Cmd

} // namespace levelconf
