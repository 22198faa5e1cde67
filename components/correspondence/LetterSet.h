#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

// The members the letters are for, with the values handed over for each, in the order in
// which they came. The field names are every name handed over, in the order first met.
class LetterSet {
public:
    struct Member {
        std::int32_t id = 0;
        std::vector<std::pair<QString, QString>> values;
    };

    void clear();
    void setPrefix(const QString& prefix) { m_prefix = prefix; }
    const QString& prefix() const { return m_prefix; }
    void setListFields(const QStringList& names) { m_listFields = names; }
    const QStringList& listFields() const { return m_listFields; }

    void addValue(std::int32_t memberId, const QString& name, const QString& value);

    int memberCount() const { return static_cast<int>(m_members.size()); }
    const Member& member(int index) const { return m_members[static_cast<std::size_t>(index)]; }
    // The member's first value of that name; nothing when the member has none.
    std::optional<QString> value(int index, const QString& name) const;
    const QStringList& fieldNames() const { return m_fieldNames; }
    bool knowsField(const QString& name) const { return m_fieldIndex.contains(name); }

    // What the member still owes ("Totaal"), 0 when not handed over.
    double owed(int index) const;

private:
    QString m_prefix;
    QStringList m_listFields;
    std::vector<Member> m_members;
    QHash<std::int32_t, int> m_memberIndex;
    QStringList m_fieldNames;
    QHash<QString, int> m_fieldIndex;
};
