#pragma once

#include "core/format/Clock.h"
#include "core/format/DateFormat.h"
#include "platform/Profile.h"

#include <QLocale>
#include <QTemporaryDir>

#include <cstdint>
#include <string>

// Test fixtures that pin what the program takes from its surroundings: the clock, the user's
// locale, the date format setting and the profile. Each restores the old state when it goes.

class PinnedToday {
public:
    explicit PinnedToday(std::int32_t yyyymmdd) { Clock::pinToday(yyyymmdd); }
    ~PinnedToday() { Clock::unpin(); }
    PinnedToday(const PinnedToday&) = delete;
    PinnedToday& operator=(const PinnedToday&) = delete;
};

class PinnedLocale {
public:
    explicit PinnedLocale(const char* name) : m_old(QLocale()) { QLocale::setDefault(QLocale(name)); }
    ~PinnedLocale() { QLocale::setDefault(m_old); }
    PinnedLocale(const PinnedLocale&) = delete;
    PinnedLocale& operator=(const PinnedLocale&) = delete;

private:
    QLocale m_old;
};

class PinnedDateFormat {
public:
    explicit PinnedDateFormat(const std::string& format) : m_old(DateFormat::setting()) {
        DateFormat::setSetting(format);
    }
    ~PinnedDateFormat() { DateFormat::setSetting(m_old); }
    PinnedDateFormat(const PinnedDateFormat&) = delete;
    PinnedDateFormat& operator=(const PinnedDateFormat&) = delete;

private:
    std::string m_old;
};

// A profile of its own in a temporary folder.
class TempProfile {
public:
    TempProfile() { Profile::setProfileFile(m_dir.filePath(QStringLiteral("Korvel.ini"))); }
    ~TempProfile() { Profile::setProfileFile(QString()); }
    TempProfile(const TempProfile&) = delete;
    TempProfile& operator=(const TempProfile&) = delete;
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};
