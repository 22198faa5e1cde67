// korvel-xlsxwriter UIT.xlsx: writes the workbook that standard input describes, one command a
// line, fields separated by one space, the last field running to the end of the line:
//
//   S naam                   a new sheet
//   F                        the first row of the sheet stays in view
//   W kolom breedte          the width of a column, in characters
//   T rij kolom stijl tekst  a text; stijl 0 plain, 1 bold
//   N rij kolom stijl getal  a number; stijl 0 plain, 1 euro, 2 bold euro, 3 date, 4 bold
//
// Texts are UTF-8 with "\\", "\n", "\r" and "\t" for a backslash, a line feed, a carriage
// return and a tab. Rows of a sheet come in order. Exits with 0 when the workbook is complete,
// with libxlsxwriter's error number when it failed, and with 100 for input it cannot read.
#include <xlsxwriter.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

constexpr int kBadInput = 100;

std::string unescaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i]) {
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        default:
            out += text[i];
            break;
        }
    }
    return out;
}

// Splits "a b rest of it" into count fields, the last taking the rest.
bool fields(const std::string& line, std::size_t count, std::string* out) {
    std::size_t at = 2;
    for (std::size_t i = 0; i + 1 < count; ++i) {
        const std::size_t space = line.find(' ', at);
        if (space == std::string::npos)
            return false;
        out[i] = line.substr(at, space - at);
        at = space + 1;
    }
    if (at > line.size())
        return false;
    out[count - 1] = line.substr(at);
    return true;
}

bool whole(const std::string& text, unsigned long& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtoul(text.c_str(), &end, 10);
    return *end == '\0';
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Gebruik: korvel-xlsxwriter UIT.xlsx < cellen\n");
        return kBadInput;
    }
    std::ios::sync_with_stdio(false);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(argv[1], &options);
    if (!book)
        return LXW_ERROR_CREATING_XLSX_FILE;
    lxw_format* styles[5] = {nullptr, workbook_add_format(book), workbook_add_format(book),
                             workbook_add_format(book), workbook_add_format(book)};
    const char* euro = "\xE2\x82\xAC #,##0.00;\xE2\x82\xAC -#,##0.00";
    format_set_num_format(styles[1], euro);
    format_set_num_format(styles[2], euro);
    format_set_bold(styles[2]);
    format_set_num_format(styles[3], "dd-mm-yyyy");
    format_set_bold(styles[4]);
    lxw_format* bold = styles[4];

    lxw_worksheet* sheet = nullptr;
    lxw_error error = LXW_NO_ERROR;
    bool bad = false;
    std::string line;
    std::string part[4];
    while (!bad && error == LXW_NO_ERROR && std::getline(std::cin, line)) {
        if (line.empty())
            continue;
        const char command = line[0];
        unsigned long row = 0, col = 0, style = 0;
        if (command == 'S') {
            sheet = workbook_add_worksheet(book, line.size() > 2 ? line.c_str() + 2 : nullptr);
            bad = sheet == nullptr;
        } else if (!sheet) {
            bad = true;
        } else if (command == 'F') {
            worksheet_freeze_panes(sheet, 1, 0);
        } else if (command == 'W') {
            bad = !fields(line, 2, part) || !whole(part[0], col);
            if (!bad)
                error = worksheet_set_column(sheet, static_cast<lxw_col_t>(col),
                                             static_cast<lxw_col_t>(col),
                                             std::strtod(part[1].c_str(), nullptr), nullptr);
        } else if (command == 'T' || command == 'N') {
            bad = !fields(line, 4, part) || !whole(part[0], row) || !whole(part[1], col) ||
                  !whole(part[2], style) || style > 4;
            if (bad)
                break;
            const auto r = static_cast<lxw_row_t>(row);
            const auto c = static_cast<lxw_col_t>(col);
            if (command == 'T') {
                error = worksheet_write_string(sheet, r, c, unescaped(part[3]).c_str(),
                                               style ? bold : nullptr);
            } else {
                char* end = nullptr;
                const double value = std::strtod(part[3].c_str(), &end);
                bad = *end != '\0';
                if (!bad)
                    error = worksheet_write_number(sheet, r, c, value, styles[style]);
            }
        } else {
            bad = true;
        }
    }
    const lxw_error closed = workbook_close(book);
    if (bad) {
        std::remove(argv[1]);
        return kBadInput;
    }
    if (error == LXW_NO_ERROR)
        error = closed;
    if (error != LXW_NO_ERROR)
        std::remove(argv[1]);
    return error;
}
