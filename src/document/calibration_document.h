#pragma once

#include "byte_edit.h"
#include "changed_bytes.h"
#include "files/e2p_comment.h"
#include "image/ecu_tables.h"
#include "image/image_decoding.h"

#include <QObject>
#include <QUndoStack>
#include <array>

// The calibration being edited: the image with its decoded tables, and the comment. It is the
// only thing that changes them. Every edit is a step on its undo stack; loading replaces the
// data and starts a new history; a save marks the data clean.
class CalibrationDocument : public QObject {
    Q_OBJECT
public:
    explicit CalibrationDocument(QObject *parent = nullptr);
    ~CalibrationDocument() override;

    [[nodiscard]] bool hasData() const { return m_hasData; }
    [[nodiscard]] const EcuData &data() const { return m_data; }
    [[nodiscard]] const EcuImage &image() const { return m_data.image; }
    [[nodiscard]] const EcuTables &tables() const { return m_data.tables; }
    [[nodiscard]] QUndoStack &undoStack() { return m_undo; }

    // A file opened or the ECU read: the image decoded, the comment (its bytes as the file holds
    // them) taken, the history cleared, and the data clean.
    void load(const EcuImage &image, const E2PComment &comment);
    // No data: the state before a first load and after a load failed without data.
    void clear();

    // Applies an edit as one undo step. False, and no step, when it would change nothing.
    bool apply(ByteEdit edit);
    // A new gesture: the edits that carry it merge into one step.
    [[nodiscard]] quint64 newGesture() { return ++m_lastGesture; }

    // The comment as the file holds it, as last loaded or saved.
    [[nodiscard]] const E2PComment &loadedComment() const { return m_loadedComment; }
    // The comment box shows the loaded comment as this text (lines joined by line feeds): the
    // text the box compares with to tell an edited comment.
    void adoptShownComment(const QString &shown);
    // The comment box's text now; not an undo step.
    [[nodiscard]] const QString &comment() const { return m_comment; }
    void setComment(const QString &comment);
    // What a save writes as the comment: the loaded comment's bytes while the box shows it
    // unedited, else the box's text with CR LF between its lines.
    [[nodiscard]] E2PComment commentToSave() const;

    // A save wrote the data: the image as saved (with the file's name as its data name) and
    // the comment saved become the clean state; the history stays.
    void markSaved(const EcuImage &saved, const E2PComment &savedComment);
    // The data or the comment differ from what was last loaded or saved.
    [[nodiscard]] bool isModified() const;

signals:
    // Bytes changed by an edit, an undo or a redo (or the data name by a save).
    void bytesChanged(const ChangedBytes &offsets);
    // The data were replaced (or cleared) as a whole.
    void dataReplaced();
    void modifiedChanged(bool modified);

private:
    friend class ByteEditCommand;
    using RuForms = std::array<RuTextForm, RuPoints>;
    // Puts the changes' after (forward) or before bytes into the image, refreshes the tables;
    // RU points take the editors' text form forward and get forms back on the way back.
    void writeBytes(const std::vector<ByteChange> &changes, bool forward, RuForms &forms);
    // Whether an RU text would read otherwise in these forms (" +5%" loaded, "+5%" edited).
    [[nodiscard]] bool ruTextsReadOtherwise(const RuForms &forms) const;
    void updateModified();

    EcuData m_data;
    RuForms m_ruForms{};
    bool m_hasData = false;
    E2PComment m_loadedComment;
    QString m_comment;
    QString m_cleanComment;
    bool m_modified = false;
    quint64 m_lastGesture = 0;
    QUndoStack m_undo;
};
