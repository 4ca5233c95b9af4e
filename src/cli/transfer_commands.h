#pragma once

#include "files/e2p_commands.h"
#include "files/history_folder.h"
#include "files/operator.h"
#include "files/settings_store.h"
#include "interrupt_signals.h"

#include <QString>
#include <optional>

// The port --port names: the device to open, and how the history names it ("COM3
// (/dev/ttyUSB0)", or the device path as given).
struct CliPort {
    QString device;
    QString name;
};

// The port --port names: a device path as it stands, a COM number (3 or COM3) as the setting
// tool resolves it, and without --port the port chosen there (PortNo). nullopt with the
// reason in error when it names no port.
[[nodiscard]] std::optional<CliPort> resolvePort(const QString &portArgument,
                                                 const SettingsStore &settings, QString &error);

// Opens an E2P file with the checks of "Open File", the operator hearing its warnings;
// nullopt when it is refused.
[[nodiscard]] std::optional<OpenOutcome> loadDataFile(const QString &path, Operator &op);

// Exit statuses.
constexpr int ExitDone = 0;
constexpr int ExitTransferFailed = 1; // also: cancelled at a prompt
constexpr int ExitUsageOrFile = 2;
constexpr int ExitFilesDiffer = 1;

// What every transfer of qz3rok-cli works with. Calibrations read and written go into the
// history unless history is null (--no-history).
struct CliTransfer {
    CliPort port;
    Operator &op;
    const SettingsStore &settings;
    InterruptSignals &interruptions;
    HistoryFolder *history = nullptr;
};

// Reads the ECU into a new E2P file whose comment says when and from where. replace: an
// existing file may be replaced. Interrupted by one of the signals, it writes no file and says
// so.
[[nodiscard]] int readEcuToFile(const CliTransfer &transfer, const QString &path, bool replace);
// Writes the file to the ECU and verifies it as "Data Write" does, with the same checks of the
// file as "Open File"; review: reads the ECU first (kept as a restore point), prints what the
// write changes and asks. Interrupted by one of the signals, it says what the ECU holds.
[[nodiscard]] int writeFileToEcu(const CliTransfer &transfer, const QString &path, bool review);
// Reads the ECU and prints what a write of the file would change there: ExitDone when nothing,
// ExitFilesDiffer when something, ExitUsageOrFile when the file or the read failed.
[[nodiscard]] int diffWithEcu(const CliTransfer &transfer, const QString &path);
