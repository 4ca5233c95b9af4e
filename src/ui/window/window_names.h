#pragma once

#include "common/element_name.h"

#include <QString>

// The objectName of every control of the main window, in one place. They are the control names
// of the form the window is laid out after; tests and accessibility tools find the controls by
// them, the code names the controls by what they are. (The view panels name their own controls.)
namespace WindowNames {

inline const QString Window = QStringLiteral("Form1");
inline const QString ClientArea = QStringLiteral("Form1Client");

// "E2P File" and the file buttons.
inline const QString FileFrame = elementName("Frame0", 0);
inline const QString FileNameCaption = elementName("Label1", 0);
inline const QString DateCaption = elementName("Label1", 1);
inline const QString CommentCaption = elementName("Label1", 2);
inline const QString DataNameLabel = QStringLiteral("Label2");
inline const QString FileDateLabel = QStringLiteral("Label3");
inline const QString CommentBox = QStringLiteral("Text3");
inline const QString OpenFileButton = QStringLiteral("Command1");
inline const QString SaveFileButton = QStringLiteral("Command2");

// "Data Edit" and its view selector.
inline const QString DataEditFrame = elementName("Frame0", 1);
inline const QString ViewSelector = QStringLiteral("Combo1");

// The bottom row and the status bar.
inline const QString EcuDataNameFrame = QStringLiteral("Frame6");
inline const QString EcuDataNameLabel = QStringLiteral("Label16");
inline const QString DataTransmitFrame = QStringLiteral("Frame5");
inline const QString DataReadButton = QStringLiteral("Command7");
inline const QString DataWriteButton = QStringLiteral("Command3");
inline const QString ReviewWriteButton = QStringLiteral("CommandReviewWrite");
inline const QString QuitButton = QStringLiteral("Command4");
inline const QString TransferProgress = QStringLiteral("TransferProgress");
inline const QString CompareStatus = QStringLiteral("CompareStatus");

// The menus and their items.
inline const QString FileMenu = QStringLiteral("mnuFile");
inline const QString OpenFileItem = elementName("mnuOpenFile", 1);
inline const QString SaveFileItem = elementName("mnuSaveFile", 2);
inline const QString CompareFileItem = QStringLiteral("mnuCompareFile");
inline const QString CompareBeforeReadItem = QStringLiteral("mnuCompareBeforeRead");
inline const QString CompareOffItem = QStringLiteral("mnuCompareOff");
inline const QString HistoryItem = QStringLiteral("mnuHistory");
inline const QString FileMenuSeparator = QStringLiteral("mnuNON");
inline const QString QuitItem = elementName("mnuQuit", 3);
inline const QString EditMenu = QStringLiteral("mnuEdit");
inline const QString UndoItem = QStringLiteral("mnuUndo");
inline const QString RedoItem = QStringLiteral("mnuRedo");
inline const QString KeepMapShapeItem = QStringLiteral("mnuKeepMapShape");
inline const QString ViewMenu = QStringLiteral("mnuView");
inline const QString CellColoursItem = QStringLiteral("mnuCellColours");
inline const QString OperatingPointItem = QStringLiteral("mnuOperatingPoint");
inline const QString PortMenu = QStringLiteral("mnuCOMMP");
// The item of port k, 1..16.
[[nodiscard]] inline QString portItem(int k) {
    return elementName("mnuCOM_NO", k);
}
inline const QString PortDeviceItem = QStringLiteral("mnuPortDevice");
inline const QString DataTransmitMenu = QStringLiteral("mnuDataTransmit");
inline const QString DataReadItem = elementName("mnuData", 1);
inline const QString DataWriteItem = elementName("mnuData", 2);
inline const QString ReviewWriteItem = QStringLiteral("mnuReviewWrite");
inline const QString HelpMenu = QStringLiteral("mnuHelp");
inline const QString AboutItem = elementName("mnuAbout", 1);

} // namespace WindowNames
