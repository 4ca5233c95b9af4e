#pragma once

#include "files/file_dialogs.h"
#include "files/operator.h"
#include "qt_printers.h"

#include <QList>
#include <QString>
#include <deque>
#include <optional>
#include <ostream>
#include <utility>

// One message as the person saw it.
struct ToldMessage {
    ToldMessage() = default;
    ToldMessage(QString t, MessageIcon i, bool p = false, QString d = {})
        : text(std::move(t))
        , icon(i)
        , prompt(p)
        , detail(std::move(d)) {}

    QString text;
    MessageIcon icon = MessageIcon::None;
    bool prompt = false; // OK/Cancel rather than OK only
    QString detail;
    friend bool operator==(const ToldMessage &, const ToldMessage &) = default;
};

inline std::ostream &operator<<(std::ostream &out, const ToldMessage &m) {
    return out << '"' << m.text.toStdString() << "\" icon=" << static_cast<int>(m.icon)
               << (m.prompt ? " (prompt)" : "")
               << (m.detail.isEmpty() ? std::string()
                                      : " detail \"" + m.detail.toStdString() + '"');
}

// An Operator that keeps every message and answers prompts from a script (OK when the
// script is empty).
class RecordingOperator : public Operator {
public:
    void tell(const QString &text, MessageIcon icon, const QString &detail = {}) override {
        messages.push_back({text, icon, false, detail});
    }
    bool confirm(const QString &text, MessageIcon icon) override {
        messages.push_back({text, icon, true});
        if (answers.empty())
            return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    // Answers from choices, else with the button Escape stands for.
    int ask(const Question &question) override {
        messages.push_back({question.text, question.icon, true, question.detail});
        questionButtons.push_back(question.buttons);
        if (choices.empty())
            return question.escapeIndex();
        const int choice = choices.front();
        choices.pop_front();
        return choice;
    }
    void setBusy(bool busy) override { busyChanges.push_back(busy); }

    QList<ToldMessage> messages;
    std::deque<bool> answers;
    std::deque<int> choices;
    QList<QStringList> questionButtons;
    QList<bool> busyChanges;
};

// File dialogs that return prepared choices and remember what they were asked.
class ScriptedFileDialogs : public FileDialogs {
public:
    std::optional<FileChoice> chooseFileToOpen(const FileDialogRequest &request) override {
        openRequests.push_back(request);
        return next();
    }
    std::optional<FileChoice> chooseFileToSave(const FileDialogRequest &request) override {
        saveRequests.push_back(request);
        return next();
    }

    // The next dialog chooses this file.
    void choose(const QString &path) {
        choices.push_back(FileChoice{path, path.section(QLatin1Char('/'), -1)});
    }

    std::deque<std::optional<FileChoice>> choices;
    QList<FileDialogRequest> openRequests;
    QList<FileDialogRequest> saveRequests;

private:
    std::optional<FileChoice> next() {
        if (choices.empty())
            return std::nullopt;
        std::optional<FileChoice> choice = std::move(choices.front());
        choices.pop_front();
        return choice;
    }
};
