#include "map3d/map3d_data.h"

#include <cstdint>

namespace {

// Point k counts from 1 here, as the axis points do.
bool isOddPoint(int k) {
    return k % 2 == 1;
}

} // namespace

double neAxisPosition(std::int32_t ne) {
    return 18000.0 - 100.0 * ne;
}

double thAxisPosition(std::uint8_t th) {
    return 100.0 - th;
}

double fiPlotValue(std::uint8_t b) {
    return b - 100.0;
}

double igPlotValue(std::uint8_t b) {
    return static_cast<std::int8_t>(b);
}

Map3DSurfaceData map3dSurfaceData(MapKind kind, const EcuTables &tables) {
    Map3DSurfaceData data;
    for (int i = 0; i < NePoints; ++i)
        data.x[i] = neAxisPosition(tables.NeData[i]);
    for (int j = 0; j < ThPoints; ++j)
        data.y[j] = thAxisPosition(tables.ThData[j]);
    const auto &map = kind == MapKind::Fi ? tables.KmapData : tables.IGmapData;
    for (int j = 0; j < ThRows; ++j)
        for (int i = 0; i < NeColumns; ++i)
            data.z[j][i] = kind == MapKind::Fi ? fiPlotValue(map[j][i]) : igPlotValue(map[j][i]);
    return data;
}

QList<LabelledValue> neLabelledValues(const EcuTables &tables) {
    QList<LabelledValue> values;
    values.reserve(NePoints);
    for (int k = 1; k <= NePoints; ++k) {
        const std::int32_t ne = tables.NeData[k - 1];
        const bool labelled = isOddPoint(k) || k == NePoints;
        values.append({neAxisPosition(ne), labelled ? QString::number(100 * ne) : QString()});
    }
    return values;
}

QList<LabelledValue> thLabelledValues(const EcuTables &tables) {
    QList<LabelledValue> values;
    values.reserve(ThPoints);
    for (int k = 1; k <= ThPoints; ++k) {
        const std::uint8_t th = tables.ThData[k - 1];
        values.append({thAxisPosition(th), isOddPoint(k) ? QString::number(th) : QString()});
    }
    return values;
}
