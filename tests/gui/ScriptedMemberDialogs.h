#pragma once

#include "member/KMemberDialogs.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>

// The member area's dialogs answered from a script: each answer gets what the dialog would show
// and returns what OK would hand back, or nothing for Cancel. A dialog the script has no answer
// for fails the test and is cancelled.
class ScriptedMemberDialogs : public KMemberDialogs {
public:
    using MemberAnswer = std::function<std::optional<KMember>(const KMember& start, bool adding)>;
    using ChargeAnswer = std::function<std::optional<KCharge>(const KCharge& start)>;
    using PaymentAnswer = std::function<std::optional<KPayment>(const KPayment& start)>;
    using AgeAnswer = std::function<std::optional<AgeChoice>(const AgeChoice& start)>;

    ScriptedMemberDialogs& answerMember(MemberAnswer answer) {
        m_members.push_back(std::move(answer));
        return *this;
    }
    ScriptedMemberDialogs& answerCharge(ChargeAnswer answer) {
        m_charges.push_back(std::move(answer));
        return *this;
    }
    ScriptedMemberDialogs& answerPayment(PaymentAnswer answer) {
        m_payments.push_back(std::move(answer));
        return *this;
    }
    ScriptedMemberDialogs& answerAge(AgeAnswer answer) {
        m_ages.push_back(std::move(answer));
        return *this;
    }
    bool done() const {
        return m_members.empty() && m_charges.empty() && m_payments.empty() && m_ages.empty();
    }

    std::optional<KMember> editMember(const CKorvelDoc&, const KMember& start,
                                      bool adding) override {
        return next(m_members, "member", start, adding);
    }
    std::optional<KCharge> editCharge(const KCharge& start, QWidget*) override {
        return next(m_charges, "charge", start);
    }
    std::optional<KPayment> editPayment(const KPayment& start, QWidget*) override {
        return next(m_payments, "payment", start);
    }
    std::optional<AgeChoice> chooseAgeUpdate(const AgeChoice& start) override {
        return next(m_ages, "age", start);
    }

private:
    template <class Answer, class... Args>
    static auto next(std::deque<Answer>& answers, const char* dialog, const Args&... args)
        -> decltype(answers.front()(args...)) {
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected " << dialog << " dialog";
            return std::nullopt;
        }
        Answer answer = std::move(answers.front());
        answers.pop_front();
        return answer(args...);
    }

    std::deque<MemberAnswer> m_members;
    std::deque<ChargeAnswer> m_charges;
    std::deque<PaymentAnswer> m_payments;
    std::deque<AgeAnswer> m_ages;
};
