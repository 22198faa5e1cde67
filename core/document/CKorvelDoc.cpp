#include "core/document/CKorvelDoc.h"

#include "core/KProgressReport.h"
#include "core/document/KMemberFile.h"
#include "core/model/DefaultConfiguration.h"
#include "platform/Archive.h"
#include "platform/FileErrorReason.h"
#include "tolvex7/FileUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
    return QFile::encodeName(path).toStdString();
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

    takeContents(loaded);
    out.messages = m_loadMessages;
    out.oldLayout = m_loadedOldLayout;
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
    auto fail = [&](const QString& why) {
        return KResult::failed(
            QStringLiteral("Het bestand %1 kan niet worden bewaard: %2.").arg(quoted(path), why));
    };

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(fileErrorReason(file.error(), errno, path, FileAccess::Writing));
    if (progress)
        progress->start(QStringLiteral("%1 wordt bewaard (leden)").arg(QFileInfo(path).fileName()),
                        static_cast<std::int64_t>(m_members.size()));
    // The file is written piece by piece as the archive fills, never held whole in memory.
    bool stopped = false;
    Archive ar = Archive::forStoring(fileSystemName(path), [&](std::string_view bytes) {
        const auto n = static_cast<qint64>(bytes.size());
        return file.write(bytes.data(), n) == n;
    });
    KMemberFile::store(ar, *this, [&](std::int64_t membersDone) {
        if (progress && !progress->advance(membersDone))
            stopped = true;
        return !stopped;
    });
    if (progress)
        progress->finish();
    if (stopped) {
        file.cancelWriting();
        return KResult::stopped();
    }
    if (!ar.flush()) {
        const QString why = fileErrorReason(file.error(), errno, path, FileAccess::Writing);
        file.cancelWriting();
        return fail(why);
    }
    // The backup of the previous file is made before the new one takes its place; a failed
    // backup does not stop the save, but the user hears of it. The helper library's result
    // (0 copied, 1 to 3 what failed) ends here.
    if (QFileInfo::exists(path)) {
        const QString backup = backupPathFor(path);
        if (copyFile(path, backup) != 0)
            out.messages.append(
                QStringLiteral("Van het vorige bestand kon geen reservekopie %1 worden gemaakt.")
                    .arg(quoted(backup)));
    }
    if (!file.commit())
        return fail(fileErrorReason(file.error(), errno, path, FileAccess::Writing));
    m_pathName = path;
    SetModifiedFlag(false);
    return KResult::done();
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
