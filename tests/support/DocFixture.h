#pragma once

#include "core/document/CKorvelDoc.h"
#include "tests/support/Pinned.h"

#include <gtest/gtest.h>

#include <cstdint>

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
    explicit DocFixture(const Surroundings& pinned = {})
        : today(pinned.today), format(pinned.dateFormat), locale(pinned.locale) {}

    PinnedToday today;
    PinnedDateFormat format;
    PinnedLocale locale;
    TempProfile profile;
    CKorvelDoc doc;
};
