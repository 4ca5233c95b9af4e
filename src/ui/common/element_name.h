#pragma once

#include <QLatin1String>
#include <QString>

// The objectName of element k of a control array: "Label6(45)", "mnuCOM_NO(3)".
[[nodiscard]] inline QString elementName(QLatin1String array, int k) {
    return QStringLiteral("%1(%2)").arg(array).arg(k);
}
[[nodiscard]] inline QString elementName(const char *array, int k) {
    return elementName(QLatin1String(array), k);
}
