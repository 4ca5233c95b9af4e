#pragma once

class QPlainTextEdit;
class QWidget;

// The comment box of "E2P File": plain text wrapped at word boundaries. Finding a word boundary in
// a word far wider than the box takes time that grows with the square of the word's length (a
// minute for a line of a megabyte, on every layout), so while the text holds such a word the
// box wraps anywhere. Latin text is laid out without shaping, which it does not need.
[[nodiscard]] QPlainTextEdit *newCommentBox(QWidget *parent);
