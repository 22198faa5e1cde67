#pragma once

#include "platform/Components.h"

#include <cstdint>

class KGridSource;

// The interfaces of the two components the program creates by class id. Texts are
// Windows-1252 bytes, ended by a zero byte. The operations after the basic three are in a fixed
// order that both sides rely on; nothing is ever inserted between them.

// The print component: prints a grid with a title line and a date line on every page. A line
// holds up to three segments separated by "|": left, centre and right ("|Ledenoverzicht|" is
// centred).
inline constexpr KGuid CLSID_KPrint = {0xB64AA710, 0x9818, 0x11D6,
                                       {0xB4, 0x4F, 0x45, 0x81, 0x70, 0x9A, 0x1D, 0x10}};
inline constexpr KGuid IID_IKPrint = {0xD732EFC0, 0x9818, 0x11D6,
                                      {0xB4, 0x4F, 0x45, 0x81, 0x70, 0x9A, 0x1D, 0x10}};

class IKPrint : public IKUnknown {
public:
    // Starts a new job: the program's and the job's name; forgets an earlier job's settings.
    virtual KStatus BeginJob(const char* program, const char* job) = 0;
    // Writes the job straight to this PDF file instead of showing the preview; null or empty
    // shows the preview again.
    virtual KStatus SetOutputFile(const char* pdfPath) = 0;
    // 0 lets the columns decide, 1 portrait, 2 landscape.
    virtual KStatus SetOrientation(std::int32_t orientation) = 0;
    // The grid to print, read during PrintJob; the caller keeps it alive until then.
    virtual KStatus SetGrid(const KGridSource* grid) = 0;
    // The pages of the last job printed or written.
    virtual KStatus GetPageCount(std::int32_t* pages) = 0;
    // Prints the job: the preview window, from which the user prints or saves a PDF, or the
    // output file. flags: 0.
    virtual KStatus PrintJob(std::int32_t flags) = 0;
    virtual KStatus SetTitleLine(const char* line) = 0;
    virtual KStatus SetDateLine(const char* line) = 0;

protected:
    ~IKPrint() = default;
};

// The correspondence component: letters to members, merged from the values handed over.
inline constexpr KGuid CLSID_KCorrespondence = {0x77533260, 0xEDA8, 0x11D6,
                                                {0xB5, 0xA9, 0x45, 0x81, 0x70, 0x9A, 0x1D, 0x10}};
inline constexpr KGuid IID_IKCorrespondence = {0x9DBDE520, 0xEDA8, 0x11D6,
                                               {0xB5, 0xA9, 0x45, 0x81, 0x70, 0x9A, 0x1D, 0x10}};

class IKCorrespondence : public IKUnknown {
public:
    // Starts: the program's and the job's name, and the prefix that marks a merge field in a
    // letter ("KVB-veld:" makes "KVB-veld:Naam").
    virtual KStatus BeginCorrespondence(const char* program, const char* job,
                                        const char* fieldPrefix) = 0;
    // One value of a member; the members come in the order of their first value.
    virtual KStatus AddMemberValue(std::int32_t memberId, const char* name, const char* value) = 0;
    // The values the member list shows, in column order.
    virtual KStatus SetListFields(const char* const* names, std::int32_t count) = 0;
    // Shows the window and returns when it closes.
    virtual KStatus RunCorrespondence() = 0;

protected:
    ~IKCorrespondence() = default;
};
