#include "SensorConfig.h"

CalibrationTable CalibrationTable::defaults()
{
    CalibrationTable t;
    for (int i = 0; i < 20; ++i) {
        const quint16 v = i == 19 ? 4096 : quint16(200 * (i + 1));
        t.readings[i] = v;
        t.volumes[i] = v;
    }
    return t;
}

std::vector<SensorConfig> demoSensors()
{
    SensorConfig older;
    older.address = 1;
    older.serial = 1001;
    older.firmware = 163;
    older.mode = 0x00; // passive RS-485, range 1024
    older.outputCode = 734;
    older.amplitude = 180000;
    older.temperature = 19;
    older.emptyValue = 35000;
    older.fullValue = 1450000;
    older.k = 96;

    SensorConfig range256;
    range256.address = 2;
    range256.serial = 1002;
    range256.firmware = 172;
    range256.mode = 0x80; // 256 codes on this generation
    range256.outputCode = 143;
    range256.amplitude = 210000;
    range256.temperature = 18;
    range256.password = 1234;
    range256.locked = true;

    SensorConfig current;
    current.address = 5;
    current.serial = 12345;
    current.firmware = 176;
    current.mode = 0x88; // range 4096, filtration
    current.filtration = 0x13;
    current.outputCode = 2048;
    // A 3000-litre horizontal tank, so that reading its table shows something other than
    // the factory values: the volume climbs slowly near the bottom and the top.
    current.table.readings = {205,  410,  614,  819,  1024, 1229, 1434, 1638, 1843, 2048,
                              2253, 2458, 2662, 2867, 3072, 3277, 3482, 3686, 3891, 4096};
    current.table.volumes = {56,   156,  282,  427,  587,  757,  936,  1121, 1309, 1500,
                             1691, 1879, 2064, 2243, 2413, 2573, 2718, 2844, 2944, 3000};
    return {older, range256, current};
}
