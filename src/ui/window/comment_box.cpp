#include "window/comment_box.h"

#include "common/zoomed_layout.h"

#include <QPlainTextEdit>
#include <QTextBlock>

namespace {

// Longer words are wrapped anywhere.
constexpr qsizetype LongWord = 1000;

bool holdsLongWord(const QTextDocument &document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        qsizetype run = 0;
        for (const QChar c : block.text()) {
            run = c.isSpace() ? 0 : run + 1;
            if (run > LongWord)
                return true;
        }
    }
    return false;
}

} // namespace

QPlainTextEdit *newCommentBox(QWidget *parent) {
    auto *box = new QPlainTextEdit(parent);
    QFont font = box->font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    setDesignedFont(box, font);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QObject::connect(box, &QPlainTextEdit::textChanged, box, [box] {
        const QTextOption::WrapMode mode = holdsLongWord(*box->document())
                                               ? QTextOption::WrapAnywhere
                                               : QTextOption::WrapAtWordBoundaryOrAnywhere;
        if (box->wordWrapMode() != mode)
            box->setWordWrapMode(mode);
    });
    return box;
}
