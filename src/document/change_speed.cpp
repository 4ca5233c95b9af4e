#include "change_speed.h"

#include "image/display_text.h"
#include "image/ecu_layout.h"

int speedOffset(SpeedSetting setting) {
    switch (setting) {
    case SpeedSetting::ShiftTiming:
        return ShiftNeOffset;
    case SpeedSetting::PitRoad:
        return PitLimitOffset;
    case SpeedSetting::IdleNe:
        break;
    }
    return IdleNeOffset;
}

ByteEdit changeSpeed(SpeedSetting setting, std::uint8_t stored) {
    ByteEdit edit;
    edit.changes.push_back({speedOffset(setting), 0, stored});
    edit.describe = [setting](const std::vector<ByteChange> &changes) {
        const bool idle = setting == SpeedSetting::IdleNe;
        const auto text = [idle](std::uint8_t b) { return idle ? idleText(b) : speedText(b); };
        const QString name = setting == SpeedSetting::ShiftTiming
                                 ? QStringLiteral("ShiftTiming Indicator")
                             : setting == SpeedSetting::PitRoad ? QStringLiteral("PITroad Limit")
                                                                : QStringLiteral("Idring Ne");
        return name + QStringLiteral(": ") + text(changes.front().before) + EditArrow +
               text(changes.front().after) + QStringLiteral(" r/min");
    };
    return edit;
}
