#pragma once

#include "calibration_document.h"

#include <QUndoCommand>

// An edit on the document's undo stack: redo puts the changes' new bytes into the image, undo
// the old ones, and both refresh the tables and tell the views through the document. Moves of
// one gesture merge into one step; a gesture that ends where it began leaves no step, unless it
// changed how an RU text reads.
class ByteEditCommand : public QUndoCommand {
public:
    ByteEditCommand(CalibrationDocument &document, ByteEdit edit);

    void redo() override;
    void undo() override;
    [[nodiscard]] int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    CalibrationDocument &m_document;
    ByteEdit m_edit;
    CalibrationDocument::RuForms m_ruFormsBefore{};
};
