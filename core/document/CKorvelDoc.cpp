#include "core/document/CKorvelDoc.h"

#include "core/document/KDocObserver.h"
#include "core/document/KMemberFile.h"
#include "core/model/DefaultConfiguration.h"
#include "platform/Archive.h"
#include "platform/FileErrorReason.h"
#include "tolvex7/FileUtils.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cerrno>

CKorvelDoc::CKorvelDoc() {
    m_ids.setOnHandOut([this] { SetModifiedFlag(true); });
}

CKorvelDoc::~CKorvelDoc() = default;

void CKorvelDoc::DeleteContents() {
    m_members.clear();
    m_schemes.clear();
    m_snapshots.clear();
    m_fields.clear();
    m_tabs.clear();
    m_memberTypes.clear();
}

bool CKorvelDoc::OnNewDocument() {
    DeleteContents();
    m_pathName.clear();
    m_formatVersion = 0;
    SetModifiedFlag(false);
    if (m_observer)
        m_observer->showMemberCount(0);
    applyDefaultConfiguration();
    SetModifiedFlag(false);
    return true;
}

void CKorvelDoc::applyDefaultConfiguration() {
    ::applyDefaultConfiguration(m_fields, m_tabs, m_memberTypes, m_ids);
}

void CKorvelDoc::Serialize(Archive& ar) {
    if (ar.IsStoring())
        KMemberFile::store(ar, *this);
    else
        KMemberFile::load(ar, *this);
}

namespace {

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

} // namespace

bool CKorvelDoc::OnOpenDocument(const QString& path, QString* errorText) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (errorText)
            *errorText = QStringLiteral("Het bestand %1 kan niet worden geopend: %2.")
                             .arg(quoted(path), fileErrorReason(file.error(), errno, path));
        return false;
    }
    DeleteContents();
    SetModifiedFlag(true);
    // The file is read a piece at a time as the loader goes: a large file is never held whole
    // beside the administration made from it.
    bool readFailed = false;
    Archive ar =
        Archive::forLoading(QFile::encodeName(path).toStdString(),
                            static_cast<std::uint64_t>(std::max<qint64>(file.size(), 0)),
                            [&file, &readFailed](char* buffer, std::size_t max) -> std::size_t {
                                const qint64 got = file.read(buffer, static_cast<qint64>(max));
                                if (got < 0)
                                    readFailed = true;
                                return got > 0 ? static_cast<std::size_t>(got) : 0;
                            });
    try {
        Serialize(ar);
        // A read error can look like the end of the members; it must not pass for a file that
        // simply held fewer of them.
        if (readFailed)
            throw ArchiveException(ArchiveException::genericException, ar.fileName());
    } catch (const ArchiveException& e) {
        DeleteContents();
        if (errorText)
            *errorText =
                readFailed
                    ? QStringLiteral("Het bestand %1 kan niet worden gelezen.").arg(quoted(path))
                    : loadErrorText(e, path);
        return false;
    }
    SetModifiedFlag(false);
    m_pathName = path;
    return true;
}

bool CKorvelDoc::OnSaveDocument(const QString& path, QString* errorText) {
    auto fail = [&](const QString& why) {
        if (errorText)
            *errorText = QStringLiteral("Het bestand %1 kan niet worden bewaard: %2.")
                             .arg(quoted(path), why);
        return false;
    };

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(fileErrorReason(file.error(), errno, path, FileAccess::Writing));
    // The file is written piece by piece as the archive fills, never held whole in memory.
    Archive ar =
        Archive::forStoring(QFile::encodeName(path).toStdString(), [&file](std::string_view bytes) {
            const auto n = static_cast<qint64>(bytes.size());
            return file.write(bytes.data(), n) == n;
        });
    Serialize(ar);
    if (!ar.flush()) {
        const QString why = fileErrorReason(file.error(), errno, path, FileAccess::Writing);
        file.cancelWriting();
        return fail(why);
    }
    // The backup of the previous file is made before the new one takes its place; a failed
    // backup does not stop the save.
    if (QFile::exists(path))
        copyFile(QFile::encodeName(path).constData(),
                 QFile::encodeName(backupPathFor(path)).constData());
    if (!file.commit())
        return fail(fileErrorReason(file.error(), errno, path, FileAccess::Writing));
    SetModifiedFlag(false);
    m_pathName = path;
    return true;
}

KMember& CKorvelDoc::addMember(std::unique_ptr<KMember> member) {
    return m_members.insert(std::move(member));
}

void CKorvelDoc::removeMember(const KMember* member) {
    m_members.removeItem(member);
}

void CKorvelDoc::setFields(const KFieldList& fields) {
    m_fields = fields;
    SetModifiedFlag(true);
    updateAllViews();
    showMemberCount();
}

void CKorvelDoc::setTabs(const KTabList& tabs) {
    m_tabs = tabs;
    SetModifiedFlag(true);
    updateAllViews();
    showMemberCount();
}

KContribution& CKorvelDoc::addScheme(std::unique_ptr<KContribution> scheme) {
    return m_schemes.insert(std::move(scheme));
}

void CKorvelDoc::removeScheme(const KContribution& scheme) {
    m_schemes.removeFirst([&](const KContribution& s) { return s == scheme; });
}

KContribution* CKorvelDoc::findSchemeById(std::int32_t id) {
    return m_schemes.findFirst([id](const KContribution& s) { return s.id() == id; });
}

KContribution* CKorvelDoc::findSchemeByDescription(const std::string& description) {
    return m_schemes.findFirst(
        [&](const KContribution& s) { return s.description() == description; });
}

void CKorvelDoc::updateAllViews() {
    if (m_observer)
        m_observer->updateAllViews();
}

void CKorvelDoc::showMemberCount() {
    if (m_observer)
        m_observer->showMemberCount(static_cast<long>(m_members.size()));
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
