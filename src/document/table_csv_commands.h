#pragma once

#include "files/e2p_commands.h"
#include "files/table_csv.h"

class CalibrationDocument;

// "Export Table…": asks where, proposing "<data file's name> Fi map.csv" beside the data file,
// and writes the table there (see tableCsv). A failed write is told with the path and the
// system's reason. True when the file was written.
bool exportTable(CsvTable table, const CalibrationDocument &document, const E2PFileState &file,
                 FileDialogs &dialogs, Operator &op);

// "Import Table…": asks for a CSV file, reads the table from it and puts its values into the
// document as one undo step (see importTable). Axes that differ from the data's are taken only
// when the person agrees; a refusal is told with its reason. True when the data changed.
bool importTable(CsvTable table, CalibrationDocument &document, const E2PFileState &file,
                 FileDialogs &dialogs, Operator &op);

inline const QString CsvFilter = QStringLiteral("CSV (*.csv *.CSV)");
