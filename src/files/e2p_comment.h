#pragma once

#include <QByteArray>
#include <QString>
#include <utility>

// The comment block of an E2P file: its bytes exactly as read (lines joined by CR LF) and the
// text they show. Files travel between PCs with different character sets, so the bytes are kept
// and written back unchanged as long as the comment is not edited; an edited comment is written
// as UTF-8.
class E2PComment {
public:
    E2PComment() = default;

    // Bytes that are valid UTF-8 show as UTF-8, any others as Windows-1252.
    [[nodiscard]] static E2PComment fromBytes(const QByteArray &bytes);
    // A comment typed or edited: written as UTF-8.
    [[nodiscard]] static E2PComment fromText(const QString &text);

    [[nodiscard]] const QByteArray &bytes() const { return m_bytes; }
    // Lines joined by CR LF, no CR LF after the last.
    [[nodiscard]] const QString &text() const { return m_text; }

    // What to save for the text of the comment box: this comment while the box shows its text
    // unchanged, else the box's text. A plain-text box gives a no-break space back as a blank and
    // any kind of line break as a line end; those differences alone are no edit.
    [[nodiscard]] E2PComment toSave(const QString &boxText) const;

    friend bool operator==(const E2PComment &, const E2PComment &) = default;

private:
    E2PComment(QByteArray bytes, QString text)
        : m_bytes(std::move(bytes))
        , m_text(std::move(text)) {}

    QByteArray m_bytes;
    QString m_text;
};
