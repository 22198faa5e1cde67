#pragma once

#include "core/KOutcome.h"

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class CKorvelDoc;

// The arguments of a korvel-cli command kept in a file of its own: the paths, and the named
// options the command takes besides --today and --date-format (which take effect here).
struct CommandOptions {
    std::vector<std::string> paths;
    std::map<std::string, std::string, std::less<>> named;

    // The value of a named option; empty when it was not given.
    std::string value(std::string_view name) const;
    bool has(std::string_view name) const { return named.find(name) != named.end(); }
};

// Reads argv from argv[2] on: paths, --today and --date-format (which take effect at once; without
// --date-format the profile's format is loaded), the named options in allowed (each with a value)
// and in flags (without one; has() tells). Returns why the arguments cannot be used, or nullptr.
const char* parseCommandOptions(int argc, char** argv, std::initializer_list<std::string_view> allowed,
                                CommandOptions& options,
                                std::initializer_list<std::string_view> flags = {});

// Reads a whole decimal number; false for an empty text, a sign or digits followed by anything.
bool readWholeNumber(std::string_view text, std::int64_t& value);

// Opens the member file into the document, or saves it; what the user should know besides
// goes to the error stream.
KResult openMemberFile(CKorvelDoc& doc, const std::string& path);
KResult saveMemberFile(CKorvelDoc& doc, const std::string& path);
// Flushes the standard output; Failed when what was written did not all arrive.
KResult flushOutput(bool written = true);

// How a command ended, as the exit status the shell sees: 0 when it was done or had nothing to
// do, else 1 with the reason on the error stream. The one place where an outcome becomes a
// number.
int exitStatus(const KResult& result);

// How a command reports a usage error: the reason and the usage text, and the exit status.
using UsageReport = int (*)(const char* why);
