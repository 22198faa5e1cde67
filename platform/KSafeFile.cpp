#include "platform/KSafeFile.h"

#include "platform/KFileFaults.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kBufferSize = 256 * 1024;

std::string folderOf(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return name.substr(0, slash);
}

std::string baseOf(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

// A hidden name beside target, unique by mkstemp; the file is made with mode 600.
int makeTemporary(const std::string& target, std::string& tempName) {
    std::string pattern = folderOf(target) + "/." + baseOf(target) + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd >= 0)
        tempName = name.data();
    return fd;
}

// Gives fd the mode of like and, where the user may, its owner and group (each on its own:
// a user may give a file to one of their groups but not to another user).
void takeOver(int fd, const struct stat& like) {
    if (like.st_uid != ::geteuid() || like.st_gid != ::getegid()) {
        if (::fchown(fd, like.st_uid, like.st_gid) != 0)
            (void)::fchown(fd, static_cast<uid_t>(-1), like.st_gid);
    }
    // After the owner, as a change of owner clears the set-id bits.
    (void)::fchmod(fd, like.st_mode & 07777);
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool syncFolder(const std::string& folder) {
    if (!KFileFaults::pass(FileStep::Sync))
        return false;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Some file systems cannot sync a folder; that is no failure of ours.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return synced;
}

bool syncFile(int fd) {
    return KFileFaults::pass(FileStep::Sync) && ::fsync(fd) == 0;
}

// Removes a temporary file; a second try follows a failed first, so a passing fault leaves
// nothing behind.
void removeTemporary(const std::string& name) {
    const int saved = errno;
    for (int attempt = 0; attempt < 2; ++attempt)
        if (KFileFaults::pass(FileStep::Remove) && ::unlink(name.c_str()) == 0)
            break;
    errno = saved;
}

// The file a path names: a link is followed to the file it names.
std::string resolved(const std::string& name) {
    struct stat st {};
    if (::lstat(name.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return name;
    char buffer[PATH_MAX];
    if (::realpath(name.c_str(), buffer))
        return buffer;
    return name;
}

} // namespace

std::string nativeFileName(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

KSafeFile::KSafeFile(const QString& path) : m_path(path) {
    m_target = QFile::decodeName(QByteArray::fromStdString(resolved(nativeFileName(path))));
}

KSafeFile::~KSafeFile() {
    cancel();
}

bool KSafeFile::willWriteInPlace() const {
    const std::string target = nativeFileName(m_target);
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    return st.st_nlink > 1 || ::access(folderOf(target).c_str(), W_OK) != 0;
}

bool KSafeFile::fail() {
    m_error = errno ? errno : EIO;
    return false;
}

bool KSafeFile::open() {
    cancel();
    m_error = 0;
    m_written = 0;
    m_used = 0;
    m_buffer.resize(kBufferSize);
    const std::string target = nativeFileName(m_target);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        errno = EISDIR;
        return fail();
    }
    m_direct = exists && willWriteInPlace();
    if (m_direct) {
        if (!m_directAllowed) {
            errno = EACCES;
            return fail();
        }
        m_fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
        return m_fd >= 0 || fail();
    }
    m_fd = makeTemporary(target, m_tempName);
    if (m_fd < 0)
        return fail();
    if (exists) {
        takeOver(m_fd, old);
    } else {
        // A new file gets what the user's mask allows, as any other program's new file.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        (void)::fchmod(m_fd, 0666 & ~mask);
    }
    return true;
}

bool KSafeFile::writeOut(bool last) {
    if (m_used == 0)
        return true;
    if (!KFileFaults::pass(last ? FileStep::Flush : FileStep::Write) ||
        !writeAll(m_fd, m_buffer.data(), m_used))
        return fail();
    m_written += static_cast<long long>(m_used);
    m_used = 0;
    return true;
}

bool KSafeFile::write(const char* data, std::size_t size) {
    if (m_fd < 0)
        return false;
    while (size > 0) {
        const std::size_t room = m_buffer.size() - m_used;
        const std::size_t take = size < room ? size : room;
        std::memcpy(m_buffer.data() + m_used, data, take);
        m_used += take;
        data += take;
        size -= take;
        if (m_used == m_buffer.size() && !writeOut(false)) {
            cancel();
            return false;
        }
    }
    return true;
}

bool KSafeFile::commit() {
    if (m_fd < 0)
        return false;
    const std::string target = nativeFileName(m_target);
    bool ok = writeOut(true);
    if (ok && m_direct && ::ftruncate(m_fd, static_cast<off_t>(m_written)) != 0)
        ok = fail();
    if (ok && !syncFile(m_fd))
        ok = fail();
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && ok)
        ok = fail();
    if (m_direct)
        return ok;
    if (ok && !(KFileFaults::pass(FileStep::Rename) &&
                ::rename(m_tempName.c_str(), target.c_str()) == 0))
        ok = fail();
    if (!ok) {
        removeTemporary(m_tempName);
        m_tempName.clear();
        return false;
    }
    m_tempName.clear();
    return syncFolder(folderOf(target)) || fail();
}

void KSafeFile::cancel() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_tempName.empty()) {
        removeTemporary(m_tempName);
        m_tempName.clear();
    }
}

bool removeFileStep(const QString& path) {
    return KFileFaults::pass(FileStep::Remove) && ::unlink(nativeFileName(path).c_str()) == 0;
}

bool syncFolderOf(const QString& path) {
    return syncFolder(folderOf(nativeFileName(path)));
}

namespace {

// Copies everything from in to out, by the kernel where both sides allow it.
bool copyContents(int in, int out) {
    bool kernel = true;
    std::vector<char> buffer;
    for (;;) {
        if (kernel) {
            if (!KFileFaults::pass(FileStep::Write))
                return false;
            const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, 64 << 20, 0);
            if (n > 0)
                continue;
            if (n == 0)
                return true;
            if (errno == EINTR)
                continue;
            if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP &&
                errno != EBADF)
                return false;
            // Nothing was copied by the kernel when it refuses on the first call; the
            // offsets stay where they were.
            kernel = false;
            buffer.resize(1 << 20);
        }
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return true;
        if (!KFileFaults::pass(FileStep::Write) ||
            !writeAll(out, buffer.data(), static_cast<std::size_t>(n)))
            return false;
    }
}

} // namespace

bool safeCopyFile(const QString& source, const QString& target, int* error,
                  bool inPlaceFallback) {
    auto failed = [&] {
        if (error)
            *error = errno ? errno : EIO;
        return false;
    };
    const int in = ::open(nativeFileName(source).c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return failed();
    struct stat st {};
    if (::fstat(in, &st) != 0) {
        const int saved = errno;
        ::close(in);
        errno = saved;
        return failed();
    }
    const std::string to = resolved(nativeFileName(target));
    std::string tempName;
    int out = makeTemporary(to, tempName);
    // In a folder nobody may add to, an existing target may still be written where it is.
    const bool inPlace = out < 0 && errno == EACCES && inPlaceFallback &&
                         ::access(to.c_str(), W_OK) == 0;
    if (inPlace)
        out = ::open(to.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (out < 0) {
        const int saved = errno;
        ::close(in);
        errno = saved;
        return failed();
    }
    takeOver(out, st);
    bool ok = copyContents(in, out) && syncFile(out);
    int saved = errno;
    ::close(in);
    if (::close(out) != 0 && ok) {
        ok = false;
        saved = errno;
    }
    if (inPlace) {
        errno = saved;
        return ok || failed();
    }
    if (ok && !(KFileFaults::pass(FileStep::Rename) && ::rename(tempName.c_str(), to.c_str()) == 0)) {
        ok = false;
        saved = errno;
    }
    if (!ok) {
        removeTemporary(tempName);
        errno = saved;
        return failed();
    }
    return syncFolder(folderOf(to)) || failed();
}
