#pragma once

#include "core/model/KContribution.h"
#include "core/model/KIdCounter.h"
#include "core/model/KMember.h"
#include "core/model/KSnapshotPair.h"
#include "core/model/KTabDef.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Archive;
class KDocObserver;

// The one document: owns the whole administration, starts new files with the default
// configuration, reads and writes member files, keeps a backup of the previous file on save.
class CKorvelDoc {
public:
    CKorvelDoc();
    ~CKorvelDoc();
    CKorvelDoc(const CKorvelDoc&) = delete;
    CKorvelDoc& operator=(const CKorvelDoc&) = delete;

    void setObserver(KDocObserver* observer) { m_observer = observer; }
    KDocObserver* observer() const { return m_observer; }

    // File New: clears everything, applies the default configuration, not modified.
    bool OnNewDocument();
    // Reads a member file. On failure the contents are cleared and errorText says why in Dutch.
    bool OnOpenDocument(const QString& path, QString* errorText = nullptr);
    // Copies the existing file to its backup name, then replaces it atomically with the
    // administration. On failure the old file is untouched and the document stays modified.
    bool OnSaveDocument(const QString& path, QString* errorText = nullptr);
    void DeleteContents();

    // The member file, both directions; loading throws ArchiveException on a damaged file.
    void Serialize(Archive& ar);

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    const QString& pathName() const { return m_pathName; }
    void setPathName(const QString& path) { m_pathName = path; }
    // The version of the file last read, 0 for a new administration.
    int formatVersion() const { return m_formatVersion; }

    std::int32_t handOutId() { return m_ids.handOut(); }
    std::int32_t lastId() const { return m_ids.lastId(); }
    KIdCounter& idCounter() { return m_ids; }
    std::int32_t reserved() const { return m_reserved; }

    const KMemberList& members() const { return m_members; }
    KMemberList& members() { return m_members; }
    KMember& addMember(std::unique_ptr<KMember> member);
    // Removes and destroys that very member.
    void removeMember(const KMember* member);

    const KFieldList& fields() const { return m_fields; }
    void setFields(const KFieldList& fields);
    const KTabList& tabs() const { return m_tabs; }
    void setTabs(const KTabList& tabs);
    std::vector<std::string>& memberTypes() { return m_memberTypes; }
    const std::vector<std::string>& memberTypes() const { return m_memberTypes; }
    const KSnapshotList& snapshots() const { return m_snapshots; }

    const KSchemeList& schemes() const { return m_schemes; }
    KSchemeList& schemes() { return m_schemes; }
    KContribution& addScheme(std::unique_ptr<KContribution> scheme);
    // Removes the first scheme with the same date and id.
    void removeScheme(const KContribution& scheme);
    KContribution* findSchemeById(std::int32_t id);
    KContribution* findSchemeByDescription(const std::string& description);

    // Applies the default configuration of a new file (hands out ids).
    void applyDefaultConfiguration();
    // Refreshes the views and shows the member count.
    void updateAllViews();
    void showMemberCount();

private:
    friend class KMemberFile;

    bool m_modified = false;
    QString m_pathName;
    int m_formatVersion = 0;
    std::int32_t m_reserved = 0;
    KIdCounter m_ids;
    KMemberList m_members;
    KSnapshotList m_snapshots;
    KFieldList m_fields;
    KTabList m_tabs;
    std::vector<std::string> m_memberTypes;
    KSchemeList m_schemes;
    KDocObserver* m_observer = nullptr;
};

// The backup name of a member file: the last character's code raised by one (club.kvl gives
// club.kvm). Where that gives no usable name ("~" follows then) the name is made by appending.
QString backupPathFor(const QString& path);
