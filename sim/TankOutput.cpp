#include "TankOutput.h"

#include <algorithm>
#include <utility>
#include <vector>

double tableVolume(const CalibrationTable &table, quint16 reading)
{
    std::vector<std::pair<int, int>> points{{0, 0}};
    for (size_t i = 0; i < table.readings.size(); ++i)
        points.emplace_back(table.readings[i], table.volumes[i]);
    std::stable_sort(points.begin(), points.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (size_t i = 1; i < points.size(); ++i) {
        const auto [r0, v0] = points[i - 1];
        const auto [r1, v1] = points[i];
        if (reading <= r1) {
            if (r1 == r0)
                return v1;
            return v0 + double(v1 - v0) * (reading - r0) / (r1 - r0);
        }
    }
    return points.back().second;
}

quint16 tankOutputCode(const SensorConfig &config, quint16 distanceCode)
{
    const bool percent = config.mode & 0x20;
    if (!percent && !(config.mode & 0x40))
        return distanceCode;
    const double litres = tableVolume(config.table, distanceCode);
    if (!percent)
        return quint16(qBound(0.0, litres + 0.5, 65535.0));
    const quint16 fullest =
        *std::max_element(config.table.volumes.begin(), config.table.volumes.end());
    if (fullest == 0)
        return 0;
    return quint16(qBound(0.0, litres * 1000.0 / fullest + 0.5, 1000.0));
}
