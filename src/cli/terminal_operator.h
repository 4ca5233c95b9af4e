#pragma once

#include "files/operator.h"

#include <cstdio>
#include <istream>

// The person at the terminal: messages go to standard error exactly as the window words them;
// a prompt goes on with Enter, and anything else, or the end of the input, cancels.
class TerminalOperator : public Operator {
public:
    // answerPrompts: OK to every prompt without asking (--yes).
    TerminalOperator(std::istream &in, std::FILE *out, bool answerPrompts);

    void tell(const QString &text, MessageIcon icon, const QString &detail = {}) override;
    bool confirm(const QString &text, MessageIcon icon) override;
    // Buttons by number; Enter chooses the first, anything else the one Escape stands for.
    int ask(const Question &question) override;
    void setBusy(bool) override {}

private:
    // A line of input; false at the end of the input.
    [[nodiscard]] bool readLine(std::string &line);

    std::istream &m_in;
    std::FILE *m_out;
    bool m_answerPrompts;
};
