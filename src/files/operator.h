#pragma once

#include <QString>

// The icon a message is shown with.
enum class MessageIcon { None, Critical, Exclamation };

// What the core layers need from the person at the PC: messages, OK/Cancel prompts and the
// busy state of the window. The window implements it with message boxes; tests with a
// recorder that answers from a script.
class Operator {
public:
    virtual ~Operator() = default;
    // A message with an OK button.
    virtual void tell(const QString &text, MessageIcon icon) = 0;
    // A prompt with OK and Cancel; true for OK.
    virtual bool confirm(const QString &text, MessageIcon icon) = 0;
    // Window disabled and hourglass pointer while busy; both restored otherwise.
    virtual void setBusy(bool busy) = 0;
};
