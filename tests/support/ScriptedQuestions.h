#pragma once

#include "core/KQuestions.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

// Answers the core's questions from a script and keeps what was asked. A question the script
// has no answer for fails the test and gets the cautious answer (no, stop, nothing chosen).
class ScriptedQuestions : public KQuestions {
public:
    struct Asked {
        QString kind; // "alert", "yesNo", "yesNoDefaultNo", "yesNoAllStop", "selectString"
        QString caption;
        QString message;
        QStringList items;
    };

    ScriptedQuestions& answerYesNo(bool answer) {
        m_yesNo.push_back(answer);
        return *this;
    }
    ScriptedQuestions& answerAllStop(int answer) {
        m_allStop.push_back(answer);
        return *this;
    }
    ScriptedQuestions& answerSelect(std::vector<int> rows) {
        m_select.push_back(std::move(rows));
        return *this;
    }

    const std::vector<Asked>& asked() const { return m_asked; }
    QStringList alerts() const {
        QStringList out;
        for (const Asked& a : m_asked)
            if (a.kind == "alert")
                out.push_back(a.message);
        return out;
    }
    // Every scripted answer was used.
    bool done() const { return m_yesNo.empty() && m_allStop.empty() && m_select.empty(); }

    void alert(const QString& message) override {
        m_asked.push_back({"alert", {}, message, {}});
    }

    bool yesNo(const QString& message) override { return answerYesNo("yesNo", message); }
    // Answered from the same script as yesNo; asked() tells the two apart.
    bool yesNoDefaultNo(const QString& message) override {
        return answerYesNo("yesNoDefaultNo", message);
    }

    int yesNoAllStop(const QString& caption, const QString& message) override {
        m_asked.push_back({"yesNoAllStop", caption, message, {}});
        if (m_allStop.empty()) {
            ADD_FAILURE() << "unexpected four-answer question: " << message.toStdString();
            return Stop;
        }
        const int answer = m_allStop.front();
        m_allStop.pop_front();
        return answer;
    }

    std::vector<int> selectString(const QStringList& items, const QString& caption,
                                  bool multiple) override {
        m_asked.push_back({"selectString", caption, {}, items});
        if (m_select.empty()) {
            ADD_FAILURE() << "unexpected choice: " << caption.toStdString();
            return {};
        }
        std::vector<int> rows = std::move(m_select.front());
        m_select.pop_front();
        EXPECT_TRUE(multiple || rows.size() <= 1) << "several rows scripted for a single choice";
        for (int row : rows)
            EXPECT_TRUE(row >= 0 && row < static_cast<int>(items.size())) << "row " << row;
        return rows;
    }

private:
    bool answerYesNo(const char* kind, const QString& message) {
        m_asked.push_back({QString::fromLatin1(kind), {}, message, {}});
        if (m_yesNo.empty()) {
            ADD_FAILURE() << "unexpected yes/no question: " << message.toStdString();
            return false;
        }
        const bool answer = m_yesNo.front();
        m_yesNo.pop_front();
        return answer;
    }

    std::deque<bool> m_yesNo;
    std::deque<int> m_allStop;
    std::deque<std::vector<int>> m_select;
    std::vector<Asked> m_asked;
};
