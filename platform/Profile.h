#pragma once

#include <QSettings>
#include <QString>

#include <memory>

// The per-user profile: QSettings("Orvanta", "Korvel") with the sections "Settings" and "Font".
// Tests and tools point it at an ini file of their own with setProfileFile().
namespace Profile {

std::unique_ptr<QSettings> open();

// An empty path returns to the user's real profile.
void setProfileFile(const QString& iniPath);

QString readString(const QString& section, const QString& key, const QString& fallback = {});
int readInt(const QString& section, const QString& key, int fallback = 0);
// Whether the profile holds the key at all (an empty value counts).
bool contains(const QString& section, const QString& key);
void writeString(const QString& section, const QString& key, const QString& value);
void writeInt(const QString& section, const QString& key, int value);

} // namespace Profile
