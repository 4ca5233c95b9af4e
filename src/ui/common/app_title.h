#pragma once

#include <QString>

// The window's caption and the caption of every message box.
inline const QString AppTitle = QStringLiteral("07KorvoKit Fi Setting Tool");
