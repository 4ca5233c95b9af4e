#pragma once

#include <QString>
#include <QStringList>

// The icon a message is shown with.
enum class MessageIcon { None, Critical, Exclamation, Question };

// A message with buttons named by the caller.
struct Question {
    QString text;
    MessageIcon icon = MessageIcon::None;
    QStringList buttons;   // left to right; the first is the default
    int escapeButton = -1; // the button that Escape and closing the box stand for; -1: the last
    QString detail;        // a second, smaller text under the message; empty for none
    [[nodiscard]] int escapeIndex() const {
        return escapeButton >= 0 ? escapeButton : static_cast<int>(buttons.size()) - 1;
    }
};

// What the core layers need from the person at the PC: messages, OK/Cancel prompts and the
// busy state of the window. The window implements it with message boxes; tests with a
// recorder that answers from a script.
class Operator {
public:
    virtual ~Operator() = default;
    // A message with an OK button. The detail, when there is one, is a second, smaller text
    // under it: the system's reason, or what the message means for the person.
    virtual void tell(const QString &text, MessageIcon icon, const QString &detail = {}) = 0;
    // A prompt with OK and Cancel; true for OK.
    virtual bool confirm(const QString &text, MessageIcon icon) = 0;
    // A message with the question's buttons; the index of the button chosen.
    virtual int ask(const Question &question) = 0;
    // Window disabled and hourglass pointer while busy; both restored otherwise.
    virtual void setBusy(bool busy) = 0;
};
