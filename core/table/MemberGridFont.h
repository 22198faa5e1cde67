#pragma once

#include <string>

// The font of the member grid's member cells, kept in the profile's "Font" section: "Name",
// "Size" (a text with a decimal point), "Bold", "Italic", "Underline" and "Strikethru" (0 or 1).
// The title row keeps the grid's own font.
struct MemberGridFont {
    static constexpr const char* kDefaultName = "Arial";
    static constexpr double kDefaultSize = 10.0;

    std::string name = kDefaultName; // Windows-1252
    double size = kDefaultSize;      // points
    bool bold = false;
    bool italic = false;
    bool strikethrough = false;
    bool underline = false;

    // Missing keys give the defaults. A size that is no usable point size (nought, negative,
    // beyond any screen font) gives the default size, so the grid never shows unreadable rows.
    static MemberGridFont read();
    // Writes all six keys, the size as "%1.1f".
    void write() const;

    bool operator==(const MemberGridFont&) const = default;
};
