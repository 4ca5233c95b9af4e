#pragma once

#include <QString>

// Where a write keeps the data it read back from the ECU: in the data file's own folder, the
// data file's name with its last three characters replaced by "TMP" (race1.E2P gives
// race1.TMP).
//
// A data file whose name is shorter than three characters gives the data name followed by
// ".TMP" in the data file's folder; without a data file, in dataFolder, or in the home folder
// when that is empty. That name loses trailing blanks, and characters a file name cannot hold
// become '_'.
//
// A data file whose own name ends in "TMP" in any case would be overwritten by the read-back on
// a file system that ignores case: its verification file gets a further ".TMP" instead, and so
// on while the verification file would be the data file itself (through a link).
[[nodiscard]] QString verificationFilePath(const QString &dataFilePath, const QString &dataFolder,
                                           const QString &dataName);
