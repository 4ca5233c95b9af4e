#pragma once

#include "files/operator.h"
#include "files/settings_store.h"
#include "interrupt_signals.h"

#include <QString>
#include <optional>

// The device --port names: a device path as it stands, a COM number (3 or COM3) as the setting
// tool resolves it, and without --port the port chosen there (PortNo). nullopt with the
// reason in error when it names no port.
[[nodiscard]] std::optional<QString> resolvePort(const QString &portArgument,
                                                 const SettingsStore &settings, QString &error);

// Exit statuses.
constexpr int ExitDone = 0;
constexpr int ExitTransferFailed = 1; // also: cancelled at a prompt
constexpr int ExitUsageOrFile = 2;

// Reads the ECU on device into a new E2P file whose comment says when and from where.
// replace: an existing file may be replaced. Interrupted by one of the signals, it writes no
// file and says so.
[[nodiscard]] int readEcuToFile(const QString &device, const QString &path, bool replace,
                                Operator &op, const SettingsStore &settings,
                                InterruptSignals &interruptions);
// Writes the file to the ECU on device and verifies it as "Data Write" does, with the same
// checks of the file as "Open File". Interrupted by one of the signals, it says what the ECU
// holds.
[[nodiscard]] int writeFileToEcu(const QString &device, const QString &path, Operator &op,
                                 const SettingsStore &settings, InterruptSignals &interruptions);
