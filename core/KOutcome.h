#pragma once

#include <QString>

#include <utility>

// How a piece of work of the program ended. Inside the program every operation that can fail,
// be stopped or find nothing to do says so with one of these; the outside world's own ways
// (the archive's exception while a file is read, the helper library's integer results, the
// components' status codes) are turned into one at the edge where they arrive.
enum class KOutcome {
    Done,        // the work was done
    NothingToDo, // there was nothing to do; nothing changed
    Stopped,     // the user stopped it; nothing changed
    Failed,      // it could not be done; reason() says why
};

// An outcome with the Dutch reason a caller shows when the work failed (and, where useful,
// why there was nothing to do).
class KResult {
public:
    KResult() = default;
    KResult(KOutcome outcome, QString reason = {})
        : m_outcome(outcome), m_reason(std::move(reason)) {}

    static KResult done() { return KResult(KOutcome::Done); }
    static KResult nothingToDo(QString reason = {}) {
        return KResult(KOutcome::NothingToDo, std::move(reason));
    }
    static KResult stopped() { return KResult(KOutcome::Stopped); }
    static KResult failed(QString reason) { return KResult(KOutcome::Failed, std::move(reason)); }

    KOutcome outcome() const { return m_outcome; }
    const QString& reason() const { return m_reason; }
    bool isDone() const { return m_outcome == KOutcome::Done; }
    bool isNothingToDo() const { return m_outcome == KOutcome::NothingToDo; }
    bool isStopped() const { return m_outcome == KOutcome::Stopped; }
    bool isFailed() const { return m_outcome == KOutcome::Failed; }
    // True exactly when the work was done, so a caller that only goes on after done reads
    // "if (!doc.OnSaveDocument(path))".
    explicit operator bool() const { return isDone(); }

private:
    KOutcome m_outcome = KOutcome::Done;
    QString m_reason;
};
