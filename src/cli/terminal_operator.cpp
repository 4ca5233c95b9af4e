#include "terminal_operator.h"

#include <string>

TerminalOperator::TerminalOperator(std::istream &in, std::FILE *out, bool answerPrompts)
    : m_in(in)
    , m_out(out)
    , m_answerPrompts(answerPrompts) {}

bool TerminalOperator::readLine(std::string &line) {
    return static_cast<bool>(std::getline(m_in, line));
}

void TerminalOperator::tell(const QString &text, MessageIcon, const QString &detail) {
    std::fprintf(m_out, "%s\n", qPrintable(text));
    if (!detail.isEmpty())
        std::fprintf(m_out, "%s\n", qPrintable(detail));
    std::fflush(m_out);
}

bool TerminalOperator::confirm(const QString &text, MessageIcon) {
    if (m_answerPrompts)
        return true;
    std::fprintf(m_out, "%s\n[Enter: go on; anything else: cancel] ", qPrintable(text));
    std::fflush(m_out);
    std::string line;
    if (!readLine(line)) {
        // The end of the input, or a signal: whatever is said next starts on its own line.
        std::fputc('\n', m_out);
        return false;
    }
    return line.empty();
}

int TerminalOperator::ask(const Question &question) {
    std::fprintf(m_out, "%s\n", qPrintable(question.text));
    if (!question.detail.isEmpty())
        std::fprintf(m_out, "%s\n", qPrintable(question.detail));
    for (qsizetype i = 0; i < question.buttons.size(); ++i)
        std::fprintf(m_out, "  %lld: %s\n", static_cast<long long>(i + 1),
                     qPrintable(question.buttons.at(i)));
    std::fprintf(m_out, "[number; Enter: %s] ", qPrintable(question.buttons.value(0)));
    std::fflush(m_out);
    std::string line;
    if (!readLine(line))
        return question.escapeIndex();
    if (line.empty())
        return 0;
    bool ok = false;
    const int chosen = QString::fromStdString(line).trimmed().toInt(&ok);
    if (!ok || chosen < 1 || chosen > question.buttons.size())
        return question.escapeIndex();
    return chosen - 1;
}
