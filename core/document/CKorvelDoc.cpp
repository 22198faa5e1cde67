#include "core/document/CKorvelDoc.h"

#include "core/KProgressReport.h"
#include "core/document/KBackups.h"
#include "core/document/KMemberFile.h"
#include "core/model/DefaultConfiguration.h"
#include "platform/Archive.h"
#include "platform/FileErrorReason.h"
#include "platform/KSafeFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>

namespace {

// The history keeps this many steps; older ones are forgotten.
constexpr int kUndoLimit = 50;

QString quoted(const QString& path) {
    return QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(path));
}

QString loadErrorText(const ArchiveException& e, const QString& path) {
    switch (e.cause()) {
    case ArchiveException::badSchema:
        return QStringLiteral("Het bestand %1 is geen ledenbestand van Korvel of heeft een "
                              "onbekende versie.")
            .arg(quoted(path));
    default:
        return QStringLiteral("Het bestand %1 is beschadigd of onvolledig en kan niet worden "
                              "gelezen.")
            .arg(quoted(path));
    }
}

// The file system's name of a path: the one place where a path becomes bytes.
std::string fileSystemName(const QString& path) {
    return nativeFileName(path);
}

// A name whose bytes were no text in the system's encoding reached the program with those
// bytes replaced; writing it would write another file than the one meant (two such names
// would even become one), and reading it would read none.
QString unreadableName(const QString& path) {
    if (!path.contains(QChar(QChar::ReplacementCharacter)))
        return {};
    return QStringLiteral("De naam %1 bevat tekens die Korvel niet als naam kan lezen. Geef het "
                          "bestand of de map een naam met gewone letters.")
        .arg(quoted(path));
}

// What the user can do about a save that failed; the administration itself is still open.
QString whatToDo(int error) {
    switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral(" Maak ruimte vrij op de schijf en bewaar opnieuw, of bewaar het "
                              "met \"Bewaar als\" op een andere schijf.");
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral(" Bewaar het met \"Bewaar als\" op een plaats waar u mag "
                              "schrijven.");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral(" Bewaar het met \"Bewaar als\" in een map die bestaat.");
    case 0:
        return {};
    default:
        return QStringLiteral(" Uw gegevens zijn nog open: bewaar opnieuw, of met \"Bewaar "
                              "als\" op een andere plaats.");
    }
}

} // namespace

CKorvelDoc::CKorvelDoc() {
    m_ids.setOnHandOut([this] {
        m_modified = true;
        noteModified();
    });
    m_undo.setUndoLimit(kUndoLimit);
    QObject::connect(&m_undo, &QUndoStack::cleanChanged, &m_undo, [this] { noteModified(); });
}

CKorvelDoc::~CKorvelDoc() {
    // The commands on the stack refer to this document; they go before it does. A document
    // that is going tells nobody: its listeners may be gone already.
    m_listeners.clear();
    m_undo.disconnect();
    m_undo.clear();
}

void CKorvelDoc::addListener(KDocListener* listener) {
    if (listener && std::find(m_listeners.begin(), m_listeners.end(), listener) ==
                        m_listeners.end())
        m_listeners.push_back(listener);
}

void CKorvelDoc::removeListener(KDocListener* listener) {
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener),
                      m_listeners.end());
}

void CKorvelDoc::SetModifiedFlag(bool modified) {
    m_modified = modified;
    if (!modified)
        m_undo.setClean();
    noteModified();
}

void CKorvelDoc::noteModified() {
    const bool modified = IsModified();
    if (modified == m_lastToldModified)
        return;
    m_lastToldModified = modified;
    tellListeners([modified](KDocListener& l) { l.modifiedChanged(modified); });
}

void CKorvelDoc::DeleteContents() {
    m_undo.clear();
    m_members.clear();
    m_schemes.clear();
    m_snapshots.clear();
    m_fields.clear();
    m_tabs.clear();
    m_memberTypes.clear();
    m_loadMessages.clear();
    m_loadedOldLayout = false;
    memberListChanged();
}

namespace {

// What abandonContents() hands to the process. Reachable to the end, never freed.
struct AbandonedContents {
    KMemberList members;
    KSnapshotList snapshots;
    KSchemeList schemes;
    KFieldList fields;
    KTabList tabs;
};

std::vector<AbandonedContents>& abandonedContents() {
    // Never destroyed: its contents end with the process.
    static auto* kept = new std::vector<AbandonedContents>;
    return *kept;
}

} // namespace

void CKorvelDoc::abandonContents() {
    m_undo.clear();
    abandonedContents().push_back({std::move(m_members), std::move(m_snapshots),
                                   std::move(m_schemes), std::move(m_fields), std::move(m_tabs)});
    DeleteContents();
}

bool CKorvelDoc::OnNewDocument() {
    DeleteContents();
    m_pathName.clear();
    m_disk = KDiskState();
    m_formatVersion = 0;
    applyDefaultConfiguration();
    SetModifiedFlag(false);
    tellListeners([](KDocListener& l) { l.documentReset(); });
    return true;
}

void CKorvelDoc::applyDefaultConfiguration() {
    ::applyDefaultConfiguration(m_fields, m_tabs, m_memberTypes, m_ids);
}

void CKorvelDoc::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        KMemberFile::store(ar, *this);
    } else {
        memberListChanged();
        KMemberFile::load(ar, *this);
        memberListChanged();
    }
}

void CKorvelDoc::takeContents(CKorvelDoc& loaded) {
    DeleteContents();
    m_formatVersion = loaded.m_formatVersion;
    m_loadMessages = std::move(loaded.m_loadMessages);
    m_loadedOldLayout = loaded.m_loadedOldLayout;
    m_reserved = loaded.m_reserved;
    m_ids.setLastId(loaded.m_ids.lastId());
    m_members = std::move(loaded.m_members);
    m_snapshots = std::move(loaded.m_snapshots);
    m_fields = std::move(loaded.m_fields);
    m_tabs = std::move(loaded.m_tabs);
    m_memberTypes = std::move(loaded.m_memberTypes);
    m_schemes = std::move(loaded.m_schemes);
    memberListChanged();
}

KResult CKorvelDoc::OnOpenDocument(const QString& path, KFileReport* report,
                                   KProgressReport* progress) {
    KFileReport ignored;
    KFileReport& out = report ? *report : ignored;
    out = KFileReport();

    if (const QString why = unreadableName(path); !why.isEmpty())
        return KResult::failed(why);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return KResult::failed(QStringLiteral("Het bestand %1 kan niet worden geopend: %2.")
                                   .arg(quoted(path), fileErrorReason(file.error(), errno, path)));
    const qint64 size = std::max<qint64>(file.size(), 0);
    // Counted in kilobytes: numbers a person can read.
    if (progress)
        progress->start(QStringLiteral("%1 wordt gelezen (kB)").arg(QFileInfo(path).fileName()),
                        (size + 1023) / 1024);

    // The file is read into a fresh administration a piece at a time as the loader goes: a
    // large file is never held whole beside the administration made from it, and the open
    // administration stays until the new one is complete. Ids handed out for a first-version
    // file continue from this document's counter.
    CKorvelDoc loaded;
    loaded.m_ids.setLastId(m_ids.lastId());
    bool readFailed = false;
    bool stopped = false;
    qint64 done = 0;
    QCryptographicHash hash(QCryptographicHash::Sha1);
    Archive ar = Archive::forLoading(
        fileSystemName(path), static_cast<std::uint64_t>(size),
        [&](char* buffer, std::size_t max) -> std::size_t {
            if (stopped)
                return 0;
            const qint64 got = file.read(buffer, static_cast<qint64>(max));
            if (got < 0) {
                readFailed = true;
                return 0;
            }
            done += got;
            hash.addData(QByteArrayView(buffer, got));
            if (progress && !progress->advance((done + 1023) / 1024)) {
                stopped = true;
                return 0;
            }
            return static_cast<std::size_t>(got);
        });
    // The archive's exception ends here: from here on the reading is an outcome.
    KResult read;
    try {
        loaded.Serialize(ar);
    } catch (const ArchiveException& e) {
        read = KResult::failed(loadErrorText(e, path));
    }
    if (progress)
        progress->finish();
    // A read error or a stop can look like the end of the members; neither may pass for a
    // file that simply held fewer of them.
    if (stopped)
        return KResult::stopped();
    if (readFailed)
        return KResult::failed(
            QStringLiteral("Het bestand %1 kan niet worden gelezen.").arg(quoted(path)));
    if (!read.isDone())
        return read;

    // What was read is what a later save compares the file on disk with; bytes the loader
    // did not ask for count as well.
    while (!file.atEnd()) {
        const QByteArray rest = file.read(1 << 20);
        if (rest.isEmpty())
            break;
        hash.addData(rest);
    }
    takeContents(loaded);
    out.messages = m_loadMessages;
    out.oldLayout = m_loadedOldLayout;
    m_disk = KDiskState::of(path, hash.result());
    m_pathName = path;
    SetModifiedFlag(false);
    tellListeners([](KDocListener& l) { l.documentReset(); });
    return KResult::done();
}

KResult CKorvelDoc::OnSaveDocument(const QString& path, KFileReport* report,
                                   KProgressReport* progress) {
    KFileReport ignored;
    KFileReport& out = report ? *report : ignored;
    out = KFileReport();
    auto fail = [&](const QString& why, int error = 0) {
        return KResult::failed(QStringLiteral("Het bestand %1 kan niet worden bewaard: %2.%3")
                                   .arg(quoted(path), why, whatToDo(error)));
    };
    if (const QString why = unreadableName(path); !why.isEmpty())
        return KResult::failed(why);

    KSafeFile file(path);
    file.setDirectWriteFallback(true);
    const bool exists = QFileInfo::exists(path);
    QStringList kept;
    auto keepPrevious = [&](bool inPlace) {
        if (!exists)
            return true;
        const QString backup = KBackups::makeBackup(file.target(), inPlace);
        if (!backup.isEmpty())
            kept << backup;
        kept << KBackups::makeGeneration(file.target(), m_generations);
        return backup.isEmpty();
    };
    // Written in place, the old bytes are gone once writing starts: they must be safe in the
    // backup first, or the file is not touched.
    const bool inPlace = exists && file.willWriteInPlace();
    if (inPlace && !keepPrevious(true))
        return fail(QStringLiteral("er kan geen reservekopie van worden gemaakt, en zonder die "
                                   "kan het niet veilig worden overschreven. Bewaar het met "
                                   "\"Bewaar als\" in een map waarin u mag schrijven"));

    QCryptographicHash hash(QCryptographicHash::Sha1);
    const KResult written = storeTo(file, progress, &hash);
    if (!written) {
        file.cancel();
        return written.isFailed() ? fail(written.reason(), file.error()) : written;
    }
    // The backup of the previous file is made before the new one takes its place; a failed
    // backup does not stop the save, but the user hears of it.
    if (!inPlace)
        keepPrevious(false);
    if (!file.commit())
        return fail(fileErrorReason(QFileDevice::WriteError, file.error(), path,
                                    FileAccess::Writing),
                    file.error());
    out.messages = kept;
    m_disk = KDiskState::of(file.target(), hash.result());
    m_pathName = path;
    SetModifiedFlag(false);
    return KResult::done();
}

KResult CKorvelDoc::storeTo(KSafeFile& file, KProgressReport* progress, QCryptographicHash* hash) {
    const QString path = file.target();
    if (!file.open())
        return KResult::failed(fileErrorReason(QFileDevice::OpenError, file.error(), path,
                                               FileAccess::Writing));
    if (progress)
        progress->start(QStringLiteral("%1 wordt bewaard (leden)").arg(QFileInfo(path).fileName()),
                        static_cast<std::int64_t>(m_members.size()));
    // The file is written piece by piece as the archive fills, never held whole in memory.
    bool stopped = false;
    Archive ar = Archive::forStoring(fileSystemName(path), [&](std::string_view bytes) {
        if (hash)
            hash->addData(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        return file.write(bytes.data(), bytes.size());
    });
    KMemberFile::store(ar, *this, [&](std::int64_t membersDone) {
        if (progress && !progress->advance(membersDone))
            stopped = true;
        return !stopped;
    });
    if (progress)
        progress->finish();
    if (stopped)
        return KResult::stopped();
    if (!ar.flush())
        return KResult::failed(fileErrorReason(QFileDevice::WriteError, file.error(), path,
                                               FileAccess::Writing));
    return KResult::done();
}

KResult CKorvelDoc::writeCopy(const QString& path) {
    KSafeFile file(path);
    const KResult written = storeTo(file, nullptr, nullptr);
    if (!written)
        return written;
    if (!file.commit())
        return KResult::failed(fileErrorReason(QFileDevice::WriteError, file.error(), path,
                                               FileAccess::Writing));
    return KResult::done();
}

bool CKorvelDoc::changedOnDisk() const {
    return !m_pathName.isEmpty() && !m_disk.matches(m_pathName);
}

const KMember* CKorvelDoc::findMember(std::int32_t id) const {
    if (!m_memberIndexValid) {
        m_memberIndex.clear();
        m_memberIndex.reserve(m_members.size());
        m_memberIdsUnique = true;
        // The first member with an id wins, as a search from the head of the list finds it.
        for (const KMember& member : m_members)
            if (!m_memberIndex.emplace(member.id(), const_cast<KMember*>(&member)).second)
                m_memberIdsUnique = false;
        m_memberIndexValid = true;
    }
    const auto it = m_memberIndex.find(id);
    return it == m_memberIndex.end() ? nullptr : it->second;
}

bool CKorvelDoc::memberIdsUnique() const {
    findMember(0);
    return m_memberIdsUnique;
}

KMember* CKorvelDoc::mutableMember(std::int32_t id) {
    return const_cast<KMember*>(findMember(id));
}

void CKorvelDoc::indexInserted(const KMember& member) {
    if (!m_memberIndexValid)
        return;
    // A second member of an id decides nothing by itself: which one is first depends on the
    // places, so the index is made anew.
    if (!m_memberIdsUnique ||
        !m_memberIndex.emplace(member.id(), const_cast<KMember*>(&member)).second)
        m_memberIndexValid = false;
}

void CKorvelDoc::indexTaken(const KMember& member) {
    if (!m_memberIndexValid)
        return;
    if (m_memberIdsUnique)
        m_memberIndex.erase(member.id());
    else
        m_memberIndexValid = false;
}

KMemberAccess CKorvelDoc::memberAccess() {
    return KMemberAccess(m_members, [this](std::int32_t id) { return mutableMember(id); });
}

void CKorvelDoc::tellMembers(const KMemberChange& change) {
    if (change.empty())
        return;
    tellListeners([&change](KDocListener& l) { l.membersChanged(change); });
}

void CKorvelDoc::tellConfiguration() {
    tellListeners([](KDocListener& l) { l.configurationChanged(); });
}

void CKorvelDoc::tellSchemes() {
    tellListeners([](KDocListener& l) { l.schemesChanged(); });
}

void CKorvelDoc::insertMember(std::size_t at, std::unique_ptr<KMember> member) {
    const KMember& inserted = m_members.insertAt(at, std::move(member));
    indexInserted(inserted);
    tellMembers({{inserted.id()}, {}, {}});
}

std::unique_ptr<KMember> CKorvelDoc::takeMember(std::size_t at) {
    std::unique_ptr<KMember> taken = m_members.takeAt(at);
    indexTaken(*taken);
    tellMembers({{}, {}, {taken->id()}});
    return taken;
}

std::vector<std::pair<std::size_t, std::unique_ptr<KMember>>>
CKorvelDoc::takeMembers(const std::function<bool(const KMember&)>& take) {
    auto taken = m_members.takeWhere(take);
    KMemberChange change;
    for (const auto& entry : taken) {
        indexTaken(*entry.second);
        change.removed.push_back(entry.second->id());
    }
    tellMembers(change);
    return taken;
}

void CKorvelDoc::putBackMembers(
    std::vector<std::pair<std::size_t, std::unique_ptr<KMember>>> taken) {
    KMemberChange change;
    std::vector<const KMember*> back;
    for (const auto& entry : taken) {
        change.added.push_back(entry.second->id());
        back.push_back(entry.second.get());
    }
    m_members.putBack(std::move(taken));
    for (const KMember* member : back)
        indexInserted(*member);
    tellMembers(change);
}

bool CKorvelDoc::swapMember(std::int32_t id, KMember& contents) {
    KMember* target = mutableMember(id);
    if (!target)
        return false;
    target->swapContents(contents);
    tellMembers({{}, {id}, {}});
    return true;
}

void CKorvelDoc::swapMembers(std::vector<std::pair<std::int32_t, KMember>>& contents) {
    KMemberChange change;
    for (auto& [id, other] : contents)
        if (KMember* target = mutableMember(id)) {
            target->swapContents(other);
            change.changed.push_back(id);
        }
    tellMembers(change);
}

void CKorvelDoc::changeMembers(
    const std::function<std::vector<std::int32_t>(KMemberAccess&)>& change) {
    KMemberAccess access = memberAccess();
    tellMembers({{}, change(access), {}});
}

void CKorvelDoc::insertScheme(std::size_t at, std::unique_ptr<KContribution> scheme) {
    m_schemes.insertAt(at, std::move(scheme));
    tellSchemes();
}

std::unique_ptr<KContribution> CKorvelDoc::takeScheme(std::size_t at) {
    std::unique_ptr<KContribution> taken = m_schemes.takeAt(at);
    tellSchemes();
    return taken;
}

bool CKorvelDoc::swapScheme(std::int32_t id, KContribution& contents) {
    KContribution* target =
        m_schemes.findFirst([id](const KContribution& s) { return s.id() == id; });
    if (!target)
        return false;
    std::swap(*target, contents);
    tellSchemes();
    return true;
}

void CKorvelDoc::swapFields(KFieldList& fields, KTabList& tabs,
                           const std::function<void(KMemberAccess&)>& alongside) {
    std::swap(m_fields, fields);
    std::swap(m_tabs, tabs);
    if (alongside) {
        KMemberAccess access = memberAccess();
        alongside(access);
    }
    tellConfiguration();
}

void CKorvelDoc::swapTabs(KTabList& tabs) {
    std::swap(m_tabs, tabs);
    tellConfiguration();
}

void CKorvelDoc::swapMemberTypes(std::vector<std::string>& memberTypes) {
    std::swap(m_memberTypes, memberTypes);
    tellConfiguration();
}

const KContribution* CKorvelDoc::findSchemeById(std::int32_t id) const {
    return m_schemes.findFirst([id](const KContribution& s) { return s.id() == id; });
}

const KContribution* CKorvelDoc::findSchemeByDescription(const std::string& description) const {
    return m_schemes.findFirst(
        [&](const KContribution& s) { return s.description() == description; });
}

QString backupPathFor(const QString& path) {
    if (path.isEmpty())
        return QStringLiteral("~");
    const QChar last = path.back();
    const char16_t code = last.unicode();
    if (code < 0xFFFF && !last.isSurrogate()) {
        const QChar next(static_cast<char16_t>(code + 1));
        if (!next.isSurrogate() && next != QLatin1Char('/') && next != QDir::separator())
            return path.left(path.size() - 1) + next;
    }
    return path + QLatin1Char('~');
}
