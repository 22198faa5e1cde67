#pragma once

#include "core/document/CKorvelDoc.h"
#include "tests/support/Pinned.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

// What a test of the administration pins of its surroundings. Each default is what most tests
// want; 0 or nullptr leaves that part as the test program found it.
struct Surroundings {
    std::int32_t today = 20240301;
    const char* dateFormat = "Standard";
    const char* locale = nullptr;
};

// The base of a test of the administration: today, the date format and the locale pinned, a
// profile of its own, and a document (not yet made new, so a test may load one instead).
//
//     class OverviewTest : public DocFixture {
//     protected:
//         OverviewTest() : DocFixture({.today = 20260315, .locale = "nl_NL"}) {
//             doc.OnNewDocument();
//         }
//     };
class DocFixture : public testing::Test {
protected:
    explicit DocFixture(const Surroundings& pinned = {}) {
        if (pinned.today != 0)
            today.emplace(pinned.today);
        if (pinned.dateFormat)
            format.emplace(pinned.dateFormat);
        if (pinned.locale)
            locale.emplace(pinned.locale);
    }

    std::optional<PinnedToday> today;
    std::optional<PinnedDateFormat> format;
    std::optional<PinnedLocale> locale;
    TempProfile profile;
    CKorvelDoc doc;
};
