#include "platform/Profile.h"

namespace {
QString& overridePath() {
    static QString path;
    return path;
}
QString keyOf(const QString& section, const QString& key) { return section + '/' + key; }
} // namespace

namespace Profile {

std::unique_ptr<QSettings> open() {
    if (!overridePath().isEmpty())
        return std::make_unique<QSettings>(overridePath(), QSettings::IniFormat);
    return std::make_unique<QSettings>(QStringLiteral("Orvanta"), QStringLiteral("Korvel"));
}

void setProfileFile(const QString& iniPath) { overridePath() = iniPath; }

QString readString(const QString& section, const QString& key, const QString& fallback) {
    return open()->value(keyOf(section, key), fallback).toString();
}

int readInt(const QString& section, const QString& key, int fallback) {
    bool ok = false;
    int value = open()->value(keyOf(section, key), fallback).toInt(&ok);
    return ok ? value : fallback;
}

bool contains(const QString& section, const QString& key) {
    return open()->contains(keyOf(section, key));
}

void writeString(const QString& section, const QString& key, const QString& value) {
    open()->setValue(keyOf(section, key), value);
}

void writeInt(const QString& section, const QString& key, int value) {
    open()->setValue(keyOf(section, key), value);
}

} // namespace Profile
