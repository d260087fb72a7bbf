// Where the driver check's controls go, in pixels relative to the dialog, for a
// dialog of a given width and the number of rows of each side; and the colour of a
// control's text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tabvex::connect {

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};

// One row's three texts: name, status, usability.
struct DriverRowRects {
    PixelRect name;
    PixelRect status;
    PixelRect usability;
};

// One side's block: its rows, the link to the setup programs, the group box and the note.
struct DriverBlockLayout {
    std::vector<DriverRowRects> rows;
    PixelRect link;
    PixelRect group;
    PixelRect note;
};

struct DriverCheckLayout {
    DriverBlockLayout source;
    DriverBlockLayout target;
    int dialogHeight = 0;  // the dialog's new height; its width stays
    PixelRect openConfig;
    PixelRect cancel;
};

DriverCheckLayout LayOutDriverCheck(int dialogWidth, int sourceRows, int targetRows);

enum class DriverTextColour { Default, Red, Green };

// Red for a text beginning with "Unusable", green for "Usable".
DriverTextColour DriverTextColourOf(std::string_view text);

// The note under each block: the check's advice with its tab characters removed.
std::string DriverCheckNote();

inline constexpr const char* kDriverSetupLinkText = "Go Microsoft to get Setup";
inline constexpr const char* kDriverSetupLinkTip = "Get Setup Program from Authoritative site";
// Where the setup links lead: the ODBC driver manager's home, as the place to get
// drivers on Linux.
inline constexpr const char* kDriverSetupAddress = "https://www.unixodbc.org/";

}  // namespace tabvex::connect
