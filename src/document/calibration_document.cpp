#include "calibration_document.h"

#include "byte_edit_command.h"
#include "image/display_text.h"

#include <algorithm>

namespace {

// The RU point (1..16) at an offset, or 0.
int ruPointAt(int offset) {
    ParameterPlace place{};
    return parameterAt(offset, place) && place.kind == ParameterKind::RuPoint ? place.index : 0;
}

} // namespace

CalibrationDocument::CalibrationDocument(QObject *parent)
    : QObject(parent) {
    m_ruForms.fill(RuTextForm::Loaded);
    connect(&m_undo, &QUndoStack::cleanChanged, this, &CalibrationDocument::updateModified);
}

CalibrationDocument::~CalibrationDocument() {
    // The commands refer to the document; they go first.
    m_undo.clear();
}

void CalibrationDocument::load(const EcuImage &image, const E2PComment &comment) {
    m_data.image = image;
    decodeImage(m_data);
    m_ruForms.fill(RuTextForm::Loaded);
    m_hasData = true;
    m_loadedComment = comment;
    m_comment = m_cleanComment =
        QString(comment.text()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_undo.clear();
    emit dataReplaced();
    updateModified();
}

void CalibrationDocument::clear() {
    m_hasData = false;
    m_undo.clear();
    updateModified();
}

bool CalibrationDocument::apply(ByteEdit edit) {
    if (!m_hasData)
        return false;
    bool changes = false;
    for (ByteChange &change : edit.changes) {
        change.before = m_data.image.byte(change.offset);
        const int ru = ruPointAt(change.offset);
        // An RU point changed by the program reads in the editors' form even at the same value.
        changes = changes || change.before != change.after ||
                  (ru != 0 && m_ruForms[static_cast<std::size_t>(ru - 1)] != RuTextForm::Edited);
    }
    if (!changes)
        return false;
    m_undo.push(new ByteEditCommand(*this, std::move(edit)));
    return true;
}

void CalibrationDocument::writeBytes(const std::vector<ByteChange> &changes, bool forward,
                                     RuForms &forms) {
    if (forward)
        forms = m_ruForms;
    else
        m_ruForms = forms;
    ChangedBytes changed;
    for (const ByteChange &change : changes) {
        m_data.image.setByte(change.offset, forward ? change.after : change.before);
        changed.add(change.offset);
        if (const int ru = ruPointAt(change.offset); ru != 0 && forward)
            m_ruForms[static_cast<std::size_t>(ru - 1)] = RuTextForm::Edited;
    }
    changed.forEach([this](int offset) {
        const int ru = ruPointAt(offset);
        decodeOffset(m_data.tables, m_data.image, offset,
                     ru != 0 ? m_ruForms[static_cast<std::size_t>(ru - 1)] : RuTextForm::Loaded);
    });
    emit bytesChanged(changed);
}

bool CalibrationDocument::ruTextsReadOtherwise(const RuForms &forms) const {
    for (std::size_t i = 0; i < forms.size(); ++i) {
        const std::uint8_t b = m_data.tables.RuadjData[i];
        if (forms[i] != m_ruForms[i] && ruText(b) != ruEditText(b))
            return true;
    }
    return false;
}

void CalibrationDocument::adoptShownComment(const QString &shown) {
    m_comment = m_cleanComment = shown;
    updateModified();
}

void CalibrationDocument::setComment(const QString &comment) {
    m_comment = comment;
    updateModified();
}

E2PComment CalibrationDocument::commentToSave() const {
    if (m_comment == m_cleanComment)
        return m_loadedComment;
    return m_loadedComment.toSave(
        QString(m_comment).replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

void CalibrationDocument::markSaved(const EcuImage &saved, const E2PComment &savedComment) {
    ChangedBytes changed;
    for (int offset = 0; offset < EcuImageSize; ++offset) {
        if (saved.byte(offset) != m_data.image.byte(offset)) {
            m_data.image.setByte(offset, saved.byte(offset));
            decodeOffset(m_data.tables, m_data.image, offset);
            changed.add(offset);
        }
    }
    m_loadedComment = savedComment;
    m_cleanComment = m_comment;
    m_undo.setClean();
    if (changed.any())
        emit bytesChanged(changed);
    updateModified();
}

bool CalibrationDocument::isModified() const {
    return m_hasData && (!m_undo.isClean() || m_comment != m_cleanComment);
}

void CalibrationDocument::updateModified() {
    const bool modified = isModified();
    if (modified == m_modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}
