#pragma once

#include "core/document/CKorvelDoc.h"
#include "tests/support/ScriptedQuestions.h"
#include "view/KCommandHost.h"
#include "view/KMainView.h"

#include <QWidget>

#include <functional>
#include <map>
#include <vector>

// A main window for the commands of one area, without the rest of the program: a main view
// on the document, the questions answered from a script, and the commands triggered by id.
class TestCommandHost : public KCommandHost {
public:
    explicit TestCommandHost(CKorvelDoc& doc) : m_doc(doc) {
        m_view.setDocument(&m_doc);
        m_view.resize(900, 500);
    }

    void setHandler(int id, std::function<void()> handler) override {
        m_handlers[id] = std::move(handler);
    }
    void setEnabledRule(int id, std::function<bool()> rule) override {
        m_rules[id] = std::move(rule);
    }
    void refreshCommandStates() override {}
    CKorvelDoc& document() override { return m_doc; }
    KMainView& mainView() override { return m_view; }
    KQuestions& questions() override { return m_questions; }
    QWidget* window() override { return &m_view; }
    void showStatus(const QString& message) override { m_statusMessages.push_back(message); }
    // What the commands put in the status bar, oldest first.
    const std::vector<QString>& statusMessages() const { return m_statusMessages; }

    ScriptedQuestions& scripted() { return m_questions; }
    bool hasHandler(int id) const { return m_handlers.count(id) != 0; }
    // As the frame would: a command runs only when it is enabled.
    bool enabled(int id) const {
        const auto rule = m_rules.find(id);
        return hasHandler(id) && (rule == m_rules.end() || rule->second());
    }
    // Runs the command; false when it is not enabled.
    bool trigger(int id) {
        if (!enabled(id))
            return false;
        m_handlers.at(id)();
        return true;
    }

private:
    CKorvelDoc& m_doc;
    KMainView m_view;
    ScriptedQuestions m_questions;
    std::map<int, std::function<void()>> m_handlers;
    std::map<int, std::function<bool()>> m_rules;
    std::vector<QString> m_statusMessages;
};
