#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// Why a serial port could not be used, in words the person can act on.

inline const QString InUseReason = QStringLiteral("in use by another program");
inline const QString DialoutHint =
    QStringLiteral(" \u2014 on Linux the user must be in the dialout group");
inline const QString DeviceLostReason =
    QStringLiteral("the device went away (unplugged or switched off)");
inline const QString OtherReaderReason = QStringLiteral("another program is reading from the port");
inline const QString OtherProgramsReason = QStringLiteral("another program has the port open");

// What stood in the way of an open that the system refused for want of permission.
enum class OpenRefusal {
    NotPermitted, // the user may not open the device
    InUse,        // another program holds it: its lock file, or its exclusive use
};

// The reason told for a refused open: the system's own words for a missing permission, with
// the hint about the device group on Linux unless the program runs as root, to whom no group
// matters; InUseReason for a port another program holds.
[[nodiscard]] QString refusedOpenReason(OpenRefusal refusal, const QString &systemReason,
                                        bool runningAsRoot);

// Tells the two apart by opening the device once more: the system refuses a user who may not
// open it, and answers "busy" for a port another program uses exclusively; an open that now
// succeeds means that the serial port library found another program's lock file.
[[nodiscard]] OpenRefusal whyOpenWasRefused(const QString &devicePath);

// Why reading an open device failed: DeviceLostReason when it hung up (unplugged, switched
// off), else OtherReaderReason: the data it announced were gone when the port came to take
// them, so another program took them.
[[nodiscard]] QString readFailureReason(qintptr handle);

// The other programs that have the device open, as "name (PID n)": whoever takes the ECU's
// answers from under the port. Not this program, nor the other end of a pseudo-terminal (a
// simulated ECU). Only what the system shows this user; always empty but on Linux.
[[nodiscard]] QStringList programsUsingDevice(const QString &devicePath);

// The reason followed by the programs, when there are any: "in use by another program: minicom
// (PID 4321)".
[[nodiscard]] QString withPrograms(const QString &reason, const QStringList &programs);
