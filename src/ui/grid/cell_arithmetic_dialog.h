#pragma once

#include "document/cell_arithmetic.h"

#include <QDialog>

class CalibrationDocument;
class MapGridView;
class Operator;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

// The small input of "Scale…" and "Add…": the amount, and as it is typed how many cells it
// changes and how many it would take out of the range. OK applies it as one step; a result out
// of the range is refused with a message and the input stays open to be corrected.
class CellArithmeticDialog : public QDialog {
    Q_OBJECT
public:
    CellArithmeticDialog(Arithmetic kind, MapKind map, CalibrationDocument &document,
                         const CellBlock &block, Operator &messages, QWidget *parent);

    // Over the grid: beside the block it changes, or in the middle for the whole map.
    void placeOver(const MapGridView &grid);
    void accept() override;

private:
    void showPreview();

    Arithmetic m_kind;
    MapKind m_map;
    CalibrationDocument &m_document;
    CellBlock m_block;
    Operator &m_messages;
    QLineEdit *m_amount = nullptr;
    QLabel *m_preview = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};
