#pragma once

#include <QString>

#include <cstddef>
#include <string>
#include <vector>

// Writes a file so that a failure or a kill at any moment leaves the old file or the new one,
// never a mixture: the bytes go to a temporary file beside the target, which is synced and
// renamed over it, and then the folder is synced so that the rename itself survives a power
// cut. The new file keeps the old one's mode and, where the user may, its owner and group; a
// link is followed, so the file it names is replaced, not the link.
//
// Where no file can be made beside the target (a folder the user may not write to) or the
// target has other names as well (hard links), the target is written in place instead, which
// the caller allows only once the old bytes are safe elsewhere (willWriteInPlace() tells it
// beforehand). Every step goes through KFileFaults.
class KSafeFile {
public:
    explicit KSafeFile(const QString& path);
    ~KSafeFile();
    KSafeFile(const KSafeFile&) = delete;
    KSafeFile& operator=(const KSafeFile&) = delete;

    // Allows writing in place when the target cannot be replaced.
    void setDirectWriteFallback(bool allowed) { m_directAllowed = allowed; }
    // True when open() is going to write into the existing target rather than replace it.
    bool willWriteInPlace() const;

    bool open();
    bool write(const char* data, std::size_t size);
    // Writes what is buffered, syncs and puts the file in place. On failure the target is as
    // it was (or, written in place, as far as it got) and no temporary file stays behind.
    bool commit();
    // Forgets what was written; the target stays as it was.
    void cancel();

    bool writesInPlace() const { return m_direct; }
    // The error number of the step that failed.
    int error() const { return m_error; }
    // The path actually written: the target, or the file a link named.
    const QString& target() const { return m_target; }

private:
    bool writeOut(bool last);
    bool fail();

    QString m_path;
    QString m_target;
    std::string m_tempName;
    std::vector<char> m_buffer;
    std::size_t m_used = 0;
    long long m_written = 0;
    int m_fd = -1;
    int m_error = 0;
    bool m_directAllowed = false;
    bool m_direct = false;
};

// The file system's name of a path, as the platform takes it.
std::string nativeFileName(const QString& path);
// Copies source to target the same safe way (a temporary file renamed over the target, the
// folder synced), by the kernel where it can, with the source's mode and where allowed its
// owner and group, so a copy is never readable by more people than the original. False, with
// the error number in *error, when the target could not be made; the old target then stays.
// With inPlaceFallback an existing target in a folder nobody may add to is overwritten where
// it is (the caller's source is whole meanwhile).
bool safeCopyFile(const QString& source, const QString& target, int* error = nullptr,
                  bool inPlaceFallback = false);
// Removes a file through the fault layer; false with errno set when it could not be removed.
bool removeFileStep(const QString& path);
// Syncs the folder that holds path, so a file renamed or removed in it stays so.
bool syncFolderOf(const QString& path);
