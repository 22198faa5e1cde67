#pragma once

#include "core/KOutcome.h"
#include "core/document/KDiskState.h"
#include "core/document/KDocListener.h"
#include "core/document/KMemberAccess.h"
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
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class Archive;
class KProgressReport;
class KSafeFile;
class QCryptographicHash;

// What opening or saving a file has to tell the user besides how it ended.
struct KFileReport {
    // What the user should read although it worked (a backup that could not be made, an odd
    // record in an old file).
    QStringList messages;
    // The file was of an old layout and was read into the default configuration, so the grid's
    // default column list goes with it.
    bool oldLayout = false;
};

// The one document: owns the whole administration, starts new files with the default
// configuration, reads and writes member files, keeps a backup of the previous file on save.
// Everybody reads it; only the edit commands (core/edit) and the loader change it, and every
// change is an undoable step on undoStack(). An edit changes it through the few mutators below,
// each of which keeps the member index and tells the listeners what changed: an edit command
// never tells anybody itself.
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
    // was. Done, Stopped, or Failed with the Dutch reason; the report says what the user should
    // know besides.
    KResult OnOpenDocument(const QString& path, KFileReport* report = nullptr,
                           KProgressReport* progress = nullptr);
    // Copies the existing file to its backup name and into a new generation, then replaces it
    // atomically with the administration. On failure or a stop the old file is untouched and
    // the document stays modified. A backup that cannot be made does not stop the save; the
    // report says so. Where the file can only be written in place (a folder the user may not
    // write to), the backup must have been made first.
    KResult OnSaveDocument(const QString& path, KFileReport* report = nullptr,
                           KProgressReport* progress = nullptr);
    // Writes the administration to path (atomically, no backups) and changes nothing else:
    // the path, the modified mark and the disk state stay (the recovery file).
    KResult writeCopy(const QString& path);
    // How many dated generations a save keeps; 0 keeps none.
    void setBackupGenerations(int keep) { m_generations = keep; }
    int backupGenerations() const { return m_generations; }
    // True when the file at pathName() is no longer what was last read or written by this
    // document: somebody else saved it since.
    bool changedOnDisk() const;
    const KDiskState& diskState() const { return m_disk; }
    // Takes what is on disk now as what was opened (after the user chose to overwrite it, or
    // took over a recovered administration for it).
    void acceptDiskState() {
        m_disk = KDiskState::of(m_pathName, KDiskState::hashOfFile(m_pathName));
    }
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

    // The mutators: the only way an edit command changes the administration. Each one keeps
    // the member index and tells the listeners what it changed, so whatever a command does is
    // heard, its undo included. The swaps hand the old contents back in place of the new, which
    // is what undo gives again.

    // Puts the member at that place of the list (not by name order: undo puts a member back
    // where it was).
    void insertMember(std::size_t at, std::unique_ptr<KMember> member);
    // Takes the member at that place out of the list and hands it over.
    std::unique_ptr<KMember> takeMember(std::size_t at);
    // Takes out every member for which take(member) holds and hands them over with the places
    // they had, in list order; putBackMembers() puts them back there.
    std::vector<std::pair<std::size_t, std::unique_ptr<KMember>>>
    takeMembers(const std::function<bool(const KMember&)>& take);
    void putBackMembers(std::vector<std::pair<std::size_t, std::unique_ptr<KMember>>> taken);
    // Swaps the values, charges and payments of the first member with that id with contents;
    // the member keeps its id and its place. False, and nothing told, without such a member.
    bool swapMember(std::int32_t id, KMember& contents);
    // The same for several members in one notice; ids without a member are passed over.
    void swapMembers(std::vector<std::pair<std::int32_t, KMember>>& contents);
    // A change inside members (their charges, a value) that no swap expresses cheaply: change
    // reaches the members through the access it gets and returns the ids of the members it
    // changed, which the document then tells. It must not change an id.
    void changeMembers(const std::function<std::vector<std::int32_t>(KMemberAccess&)>& change);

    void insertScheme(std::size_t at, std::unique_ptr<KContribution> scheme);
    std::unique_ptr<KContribution> takeScheme(std::size_t at);
    // Swaps the scheme with that id, whole, with contents. False without such a scheme.
    bool swapScheme(std::int32_t id, KContribution& contents);

    // Swaps the field and tab lists; alongside (when given) then brings the members in step
    // with the fields, before anybody hears of the new configuration.
    void swapFields(KFieldList& fields, KTabList& tabs,
                    const std::function<void(KMemberAccess&)>& alongside = {});
    void swapTabs(KTabList& tabs);
    void swapMemberTypes(std::vector<std::string>& memberTypes);

    KResult storeTo(KSafeFile& file, KProgressReport* progress, QCryptographicHash* hash);
    void applyDefaultConfiguration();
    // Takes over the administration of a freshly loaded document.
    void takeContents(CKorvelDoc& loaded);
    void noteModified();
    // The loader and the generator fill the member list straight; the index is made anew.
    void memberListChanged() { m_memberIndexValid = false; }
    // Keeps the index in step with a member put into or taken out of the list.
    void indexInserted(const KMember& member);
    void indexTaken(const KMember& member);
    KMember* mutableMember(std::int32_t id);
    KMemberAccess memberAccess();
    void tellMembers(const KMemberChange& change);
    void tellConfiguration();
    void tellSchemes();
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
    KDiskState m_disk;
    int m_generations = 10;
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
