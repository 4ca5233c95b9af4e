#pragma once

#include "files/operator.h"

#include <functional>

// Passes messages and prompts on to the person's Operator and adds the window's own busy
// state (controls disabled, progress shown), so the window behaves the same whoever answers.
class WindowOperator : public Operator {
public:
    WindowOperator(Operator &inner, std::function<void(bool)> windowBusy)
        : m_inner(inner)
        , m_windowBusy(std::move(windowBusy)) {}

    void tell(const QString &text, MessageIcon icon, const QString &detail = {}) override {
        m_inner.tell(text, icon, detail);
    }
    bool confirm(const QString &text, MessageIcon icon) override {
        return m_inner.confirm(text, icon);
    }
    int ask(const Question &question) override { return m_inner.ask(question); }
    void setBusy(bool busy) override {
        m_windowBusy(busy);
        m_inner.setBusy(busy);
    }

private:
    Operator &m_inner;
    std::function<void(bool)> m_windowBusy;
};
