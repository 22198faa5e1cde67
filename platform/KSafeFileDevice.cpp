#include "platform/KSafeFileDevice.h"

bool KSafeFileDevice::open(OpenMode mode) {
    if (!(mode & WriteOnly) || (mode & ReadOnly) || !m_file.open())
        return false;
    return QIODevice::open(mode | Unbuffered);
}

qint64 KSafeFileDevice::writeData(const char* data, qint64 size) {
    return m_file.write(data, static_cast<std::size_t>(size)) ? size : -1;
}

bool KSafeFileDevice::commit() {
    const bool committed = m_file.commit();
    QIODevice::close();
    return committed;
}

void KSafeFileDevice::cancelWriting() {
    m_file.cancel();
    QIODevice::close();
}
