#pragma once

#include <QString>

// The program's version as the About box writes it: major.minor.0.revision.
[[nodiscard]] inline QString programVersion() {
    return QStringLiteral("%1.%2.0.%3")
        .arg(ECU_VERSION_MAJOR)
        .arg(ECU_VERSION_MINOR)
        .arg(ECU_VERSION_REVISION);
}
