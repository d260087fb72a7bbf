#include "connect/driver_check_layout.h"

#include <algorithm>

namespace tabvex::connect {

namespace {

constexpr int kRowHeight = 20;

DriverRowRects RowAt(int width, int top) {
    const int statusX = 4 * width / 7 + 16;
    return {{16, top, statusX - 16, kRowHeight},
            {statusX, top, 80, kRowHeight},
            {6 * width / 7 + 16, top, 50, kRowHeight}};
}

}  // namespace

DriverCheckLayout LayOutDriverCheck(int width, int sourceRows, int targetRows) {
    DriverCheckLayout layout;
    const int n = sourceRows;
    for (int k = 0; k < n; ++k) layout.source.rows.push_back(RowAt(width, 18 + kRowHeight * k));
    layout.source.link = {11 * width / 16, kRowHeight * n + 18, 180, kRowHeight};
    layout.source.group = {8, 3, width - 18, kRowHeight * n + 34};
    layout.source.note = {8, kRowHeight * n + 38, width - 18, 50};

    const int y0 = kRowHeight * n + 88;
    const int m = targetRows;
    for (int k = 0; k < m; ++k) layout.target.rows.push_back(RowAt(width, y0 + 15 + kRowHeight * k));
    layout.target.link = {11 * width / 16, y0 + kRowHeight * m + 15, 180, kRowHeight};
    layout.target.group = {8, y0, width - 18, kRowHeight * m + 34};
    layout.target.note = {8, y0 + kRowHeight * m + 35, width - 18, 50};

    const int d = y0 + kRowHeight * m + 35;
    layout.dialogHeight = d + 85;
    layout.openConfig = {width - 175, d + 55, 80, 25};
    layout.cancel = {width - 90, d + 55, 80, 25};
    return layout;
}

DriverTextColour DriverTextColourOf(std::string_view text) {
    if (text.starts_with("Unusable")) return DriverTextColour::Red;
    if (text.starts_with("Usable")) return DriverTextColour::Green;
    return DriverTextColour::Default;
}

std::string DriverCheckNote() {
    std::string note =
        "Note: If there is no 'Usable' Driver, your computer can not connect to remote/local database. \tSo, your "
        "must install/repair at least one of them. ('Installed' but 'Unusable' need repair.)\r\n\tIf have not a Setup "
        "Software, \tyou can link to the authoritative site to download.";
    note.erase(std::remove(note.begin(), note.end(), '\t'), note.end());
    return note;
}

}  // namespace tabvex::connect
