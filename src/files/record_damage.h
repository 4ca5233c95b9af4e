#pragma once

#include <QByteArray>
#include <QString>

// What is wrong with a record line that the reader reads anyway, taking its values as they are.
enum class RecordDamage { None, NotHex, CutShort, ByteCount, Checksum };

// The first fault of a record line, in this order: a character of its fields (byte count to
// checksum) that is no hex digit; the line ends before the checksum its byte count announces;
// it goes on past that checksum (blanks after it aside); the checksum does not make the record's
// bytes sum to 0 modulo 256. The start code is not looked at.
[[nodiscard]] RecordDamage recordDamage(const QByteArray &line);

// The damaged record lines of one file: how many, and the first of them.
struct DamagedLines {
    int count = 0;
    int firstLine = 0; // counted from 1
    RecordDamage firstDamage = RecordDamage::None;

    void note(int lineNumber, RecordDamage damage);
    friend bool operator==(const DamagedLines &, const DamagedLines &) = default;
};

// What to tell about a file read with damaged lines, named by fileName (no folder):
// "NAME.E2P: 3 damaged lines (first: line 7, checksum); their values were read as ...".
// Empty when no line is damaged.
[[nodiscard]] QString damageWarning(const QString &fileName, const DamagedLines &damaged);
