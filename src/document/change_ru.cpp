#include "change_ru.h"

#include "image/display_text.h"
#include "image/ecu_layout.h"

ByteEdit changeRuPoint(int point, std::uint8_t value, quint64 gesture) {
    ByteEdit edit;
    edit.changes.push_back({ruMapOffset(point), 0, value});
    edit.describe = [point](const std::vector<ByteChange> &changes) {
        return QStringLiteral("RU map NE %1: %2")
                   .arg(point)
                   .arg(ruEditText(changes.front().before)) +
               EditArrow + ruEditText(changes.front().after);
    };
    edit.gesture = gesture;
    return edit;
}

ByteEdit changeAllRuPoints(std::uint8_t value) {
    ByteEdit edit;
    for (int point = 1; point <= RuPoints; ++point)
        edit.changes.push_back({ruMapOffset(point), 0, value});
    edit.describe = [text = QStringLiteral("RU map: all points ") +
                            ruEditText(value)](const std::vector<ByteChange> &) { return text; };
    return edit;
}
