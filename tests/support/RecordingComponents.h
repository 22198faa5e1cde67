#pragma once

#include "platform/ComponentInterfaces.h"
#include "platform/GridSource.h"

#include <string>
#include <vector>

// Components that keep the calls made on them, each as its name and its arguments in text,
// for the tests of what the program hands over. They live on the stack; releasing them ends
// nothing.
template <class Interface, const KGuid& Iid> class Recording : public Interface {
public:
    using Call = std::vector<std::string>;

    KStatus QueryInterface(const KGuid& iid, void** object) override {
        *object = iid == IID_IKUnknown || iid == Iid ? this : nullptr;
        if (!*object)
            return KStatusCode::noInterface;
        ++m_references;
        return KStatusCode::ok;
    }
    std::uint32_t AddRef() override { return ++m_references; }
    std::uint32_t Release() override { return --m_references; }

    const std::vector<Call>& calls() const { return m_calls; }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const Call& call : m_calls)
            out.push_back(call.front());
        return out;
    }
    int references() const { return static_cast<int>(m_references); }
    // The operation of that name fails from now on.
    void failOn(std::string name) { m_failing = std::move(name); }

protected:
    KStatus record(Call call) {
        const bool fail = call.front() == m_failing;
        m_calls.push_back(std::move(call));
        return fail ? KStatusCode::fail : KStatusCode::ok;
    }
    static std::string text(const char* bytes) { return bytes ? bytes : "(null)"; }

private:
    std::vector<Call> m_calls;
    std::string m_failing;
    std::uint32_t m_references = 1;
};

class RecordingCorrespondence : public Recording<IKCorrespondence, IID_IKCorrespondence> {
public:
    KStatus BeginCorrespondence(const char* program, const char* job,
                                const char* prefix) override {
        return record({"BeginCorrespondence", text(program), text(job), text(prefix)});
    }
    KStatus AddMemberValue(std::int32_t id, const char* name, const char* value) override {
        return record({"AddMemberValue", std::to_string(id), text(name), text(value)});
    }
    KStatus SetListFields(const char* const* names, std::int32_t count) override {
        Call call{"SetListFields"};
        for (std::int32_t i = 0; i < count; ++i)
            call.push_back(text(names[i]));
        return record(std::move(call));
    }
    KStatus RunCorrespondence() override { return record({"RunCorrespondence"}); }
};

class RecordingPrint : public Recording<IKPrint, IID_IKPrint> {
public:
    KStatus BeginJob(const char* program, const char* job) override {
        return record({"BeginJob", text(program), text(job)});
    }
    KStatus SetOutputFile(const char* path) override { return record({"SetOutputFile", text(path)}); }
    KStatus SetOrientation(std::int32_t o) override {
        return record({"SetOrientation", std::to_string(o)});
    }
    KStatus SetGrid(const KGridSource* grid) override {
        m_grid = grid;
        return record({"SetGrid", grid ? std::to_string(grid->rowCount()) + " rows" : "(null)"});
    }
    KStatus GetPageCount(std::int32_t* pages) override {
        *pages = 0;
        return record({"GetPageCount"});
    }
    KStatus PrintJob(std::int32_t flags) override { return record({"PrintJob", std::to_string(flags)}); }
    KStatus SetTitleLine(const char* line) override { return record({"SetTitleLine", text(line)}); }
    KStatus SetDateLine(const char* line) override { return record({"SetDateLine", text(line)}); }

    const KGridSource* grid() const { return m_grid; }

private:
    const KGridSource* m_grid = nullptr;
};

// A grid of texts written out in the test: row 0 the titles, column 0 hidden.
class TextGrid : public KGridSource {
public:
    explicit TextGrid(std::vector<std::vector<std::string>> rows) : m_rows(std::move(rows)) {}
    int rowCount() const override { return static_cast<int>(m_rows.size()); }
    int colCount() const override {
        return m_rows.empty() ? 0 : static_cast<int>(m_rows.front().size());
    }
    int fixedRowCount() const override { return 1; }
    std::string cellText(int row, int col) const override {
        return m_rows.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(col));
    }
    bool columnHidden(int col) const override { return col == 0; }
    int columnAlignment(int) const override { return 9; }

private:
    std::vector<std::vector<std::string>> m_rows;
};
