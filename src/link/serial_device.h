#pragma once

#include "files/settings_store.h"

#include <QString>

// The device that port number k (1..16) names: "COMk" on Windows; elsewhere the setting
// [CommProt] COM<k> when present (e.g. /dev/ttyUSB0), else /dev/ttyS<k-1>.
[[nodiscard]] QString serialDeviceName(int portNo, const SettingsStore &settings);
