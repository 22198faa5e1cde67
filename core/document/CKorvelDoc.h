#pragma once

#include "core/document/KDocListener.h"
#include "core/model/KContribution.h"
#include "core/model/KIdCounter.h"
#include "core/model/KMember.h"
#include "core/model/KSnapshotPair.h"
#include "core/model/KTabDef.h"

#include <QString>
#include <QStringList>
#include <QUndoStack>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class Archive;
class KProgressReport;

// What opening or saving a file has to tell the user.
struct KFileReport {
    // Why it failed, in Dutch; empty when it worked.
    QString error;
    // What the user should read although it worked (a backup that could not be made, an odd
    // record in an old file).
    QStringList messages;
    // The user stopped it; nothing changed.
    bool cancelled = false;
    // The file was of an old layout and was read into the default configuration, so the grid's
    // default column list goes with it.
    bool oldLayout = false;
};

// The one document: owns the whole administration, starts new files with the default
// configuration, reads and writes member files, keeps a backup of the previous file on save.
// Everybody reads it; only the edit commands (core/edit) and the loader change it, and every
// change is an undoable step on undoStack(). Listeners hear what changed.
class CKorvelDoc {
public:
    CKorvelDoc();
    ~CKorvelDoc();
    CKorvelDoc(const CKorvelDoc&) = delete;
    CKorvelDoc& operator=(const CKorvelDoc&) = delete;

    void addListener(KDocListener* listener);
    void removeListener(KDocListener* listener);

    // File New: clears everything, applies the default configuration, not modified.
    bool OnNewDocument();
    // Reads a member file into a fresh administration and takes it only when the whole file
    // was read: a damaged file, a failed read or a stop leaves the open administration as it
    // was. The report says why it failed, or what the user should know.
    bool OnOpenDocument(const QString& path, KFileReport* report = nullptr,
                        KProgressReport* progress = nullptr);
    // Copies the existing file to its backup name, then replaces it atomically with the
    // administration. On failure or a stop the old file is untouched and the document stays
    // modified. A backup that cannot be made does not stop the save; the report says so.
    bool OnSaveDocument(const QString& path, KFileReport* report = nullptr,
                        KProgressReport* progress = nullptr);
    void DeleteContents();
    // For a process that is about to end with nothing left to write: the administration goes
    // with the process instead of being freed record by record, which for a large club takes
    // longer than reading it did. The document is empty afterwards and tells nobody.
    void abandonContents();

    // The member file, both directions, straight into or out of this administration; loading
    // throws ArchiveException on a damaged file.
    void Serialize(Archive& ar);

    // Modified when an edit was made since the last save or load and not undone, or when ids
    // were handed out (they are saved in the file).
    bool IsModified() const { return m_modified || !m_undo.isClean(); }
    void SetModifiedFlag(bool modified = true);
    const QString& pathName() const { return m_pathName; }
    void setPathName(const QString& path) { m_pathName = path; }
    // The version of the file last read, 0 for a new administration.
    int formatVersion() const { return m_formatVersion; }
    // Messages of the last load about records of an old file.
    const QStringList& loadMessages() const { return m_loadMessages; }

    // Every change of the administration is a command on this stack.
    QUndoStack& undoStack() { return m_undo; }
    const QUndoStack& undoStack() const { return m_undo; }

    // Marks the document modified and returns a new id; ids are never handed out twice.
    std::int32_t handOutId() { return m_ids.handOut(); }
    std::int32_t lastId() const { return m_ids.lastId(); }
    std::int32_t reserved() const { return m_reserved; }

    const KMemberList& members() const { return m_members; }
    // The first member in list order with that id; nullptr when there is none.
    const KMember* findMember(std::int32_t id) const;
    // False when two members share an id, which only a damaged file can bring.
    bool memberIdsUnique() const;

    const KFieldList& fields() const { return m_fields; }
    const KTabList& tabs() const { return m_tabs; }
    const std::vector<std::string>& memberTypes() const { return m_memberTypes; }
    const KSnapshotList& snapshots() const { return m_snapshots; }

    const KSchemeList& schemes() const { return m_schemes; }
    const KContribution* findSchemeById(std::int32_t id) const;
    const KContribution* findSchemeByDescription(const std::string& description) const;

private:
    friend class KMemberFile;
    friend class KEditCommand;
    friend class ClubGenerator;

    void applyDefaultConfiguration();
    // Takes over the administration of a freshly loaded document.
    void takeContents(CKorvelDoc& loaded);
    void noteModified();
    void memberListChanged() { m_memberIndexValid = false; }
    KMember* mutableMember(std::int32_t id);
    KContribution* mutableScheme(std::int32_t id);
    template <class Tell> void tellListeners(Tell tell) {
        // A listener may stop listening while it is told.
        const std::vector<KDocListener*> listeners = m_listeners;
        for (KDocListener* listener : listeners)
            if (std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end())
                tell(*listener);
    }

    bool m_modified = false;
    bool m_lastToldModified = false;
    QString m_pathName;
    int m_formatVersion = 0;
    QStringList m_loadMessages;
    bool m_loadedOldLayout = false;
    std::int32_t m_reserved = 0;
    KIdCounter m_ids;
    KMemberList m_members;
    KSnapshotList m_snapshots;
    KFieldList m_fields;
    KTabList m_tabs;
    std::vector<std::string> m_memberTypes;
    KSchemeList m_schemes;
    QUndoStack m_undo;
    std::vector<KDocListener*> m_listeners;
    // Members by id, the first in list order winning; rebuilt when the list changed.
    mutable std::unordered_map<std::int32_t, KMember*> m_memberIndex;
    mutable bool m_memberIndexValid = false;
    mutable bool m_memberIdsUnique = true;
};

// The backup name of a member file: the last character's code raised by one (club.kvl gives
// club.kvm). Where that gives no usable name ("~" follows then) the name is made by appending.
QString backupPathFor(const QString& path);
