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

// 0 leaves the clock as it is.
class PinnedToday {
public:
    explicit PinnedToday(std::int32_t yyyymmdd) : m_pinned(yyyymmdd != 0) {
        if (m_pinned)
            Clock::pinToday(yyyymmdd);
    }
    ~PinnedToday() {
        if (m_pinned)
            Clock::unpin();
    }
    PinnedToday(const PinnedToday&) = delete;
    PinnedToday& operator=(const PinnedToday&) = delete;

private:
    bool m_pinned;
};

// nullptr leaves the locale as it is.
class PinnedLocale {
public:
    explicit PinnedLocale(const char* name) : m_old(QLocale()) {
        if (name)
            QLocale::setDefault(QLocale(name));
    }
    ~PinnedLocale() { QLocale::setDefault(m_old); }
    PinnedLocale(const PinnedLocale&) = delete;
    PinnedLocale& operator=(const PinnedLocale&) = delete;

private:
    QLocale m_old;
};

// nullptr leaves the setting as it is.
class PinnedDateFormat {
public:
    explicit PinnedDateFormat(const char* format) : m_old(DateFormat::setting()) {
        if (format)
            DateFormat::setSetting(format);
    }
    explicit PinnedDateFormat(const std::string& format) : PinnedDateFormat(format.c_str()) {}
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
