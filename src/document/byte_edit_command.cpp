#include "byte_edit_command.h"

#include <algorithm>

namespace {

constexpr int GestureCommandId = 1;

} // namespace

ByteEditCommand::ByteEditCommand(CalibrationDocument &document, ByteEdit edit)
    : m_document(document)
    , m_edit(std::move(edit)) {}

void ByteEditCommand::redo() {
    m_document.writeBytes(m_edit.changes, true, m_ruFormsBefore);
    setText(m_edit.describe ? m_edit.describe(m_edit.changes) : QString());
}

void ByteEditCommand::undo() {
    m_document.writeBytes(m_edit.changes, false, m_ruFormsBefore);
}

int ByteEditCommand::id() const {
    return m_edit.gesture != 0 ? GestureCommandId : -1;
}

bool ByteEditCommand::mergeWith(const QUndoCommand *other) {
    const auto *next = dynamic_cast<const ByteEditCommand *>(other);
    if (!next || next->m_edit.gesture != m_edit.gesture ||
        next->m_edit.changes.size() != m_edit.changes.size())
        return false;
    for (std::size_t i = 0; i < m_edit.changes.size(); ++i) {
        if (next->m_edit.changes[i].offset != m_edit.changes[i].offset)
            return false;
    }
    for (std::size_t i = 0; i < m_edit.changes.size(); ++i)
        m_edit.changes[i].after = next->m_edit.changes[i].after;
    setText(m_edit.describe ? m_edit.describe(m_edit.changes) : QString());
    // Back where it began, the gesture leaves no step, unless it changed how an RU text reads
    // (" +5%" as loaded is "+5%" once edited): that is a change, which undo takes back.
    setObsolete(std::all_of(m_edit.changes.cbegin(), m_edit.changes.cend(),
                            [](const ByteChange &c) { return c.before == c.after; }) &&
                !m_document.ruTextsReadOtherwise(m_ruFormsBefore));
    return true;
}
