#pragma once

#include "platform/KSafeFile.h"

#include <QIODevice>

// A KSafeFile as a QIODevice, for writers that take a device (the XML of the bank files): what
// is written goes to the temporary file, commit() puts it in place.
class KSafeFileDevice : public QIODevice {
public:
    explicit KSafeFileDevice(const QString& path) : m_file(path) {}

    bool open(OpenMode mode) override;
    bool commit();
    void cancelWriting();
    // The error number of the step that failed, 0 when none did.
    int systemError() const { return m_file.error(); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    KSafeFile m_file;
};
