// The character sets a MySQL-family connection can be switched to, the
// character-set dialog without its window, and the Change Charset command.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "app/output.h"
#include "app/task_gate.h"
#include "browser/db_tree.h"
#include "browser/sides.h"

namespace tabvex::browser {

inline constexpr int kChangeCharsetCommand = 32774;

struct CharacterSet {
    const char* name;         // as the sides keep it and the statements send it
    const char* label;        // the radio button's text
    const char* description;  // the text beside it
};

inline constexpr std::size_t kCharacterSetCount = 36;
extern const std::array<CharacterSet, kCharacterSetCount> kCharacterSets;

// "UNKOWNEN" for an index outside the table.
std::string CharsetNameOfIndex(int index);
// The exact, case-sensitive position of the name in the table; -1 when it is not there.
int CharsetIndexOfName(std::string_view name);

class CharsetDialog {
public:
    // Starts with the sides' character-set name; a name not in the table
    // leaves every button unchecked.
    explicit CharsetDialog(Sides& sides);

    int chosenIndex() const { return chosenIndex_; }
    const std::string& chosenName() const { return chosenName_; }

    void Choose(int index);
    // The chosen name becomes the sides' character-set name.
    void Select();

private:
    Sides& sides_;
    std::string chosenName_;
    int chosenIndex_ = -1;
};

// The Change Charset command: acts only on a MySQL-family tree. Then `chooseCharset`
// shows the dialog (true when it closed with Select), and the five SET statements
// run on the tree's session with the chosen name, each whatever the others did; the
// tree is filled anew. Refused by the gate while tasks run (they own the connection).
// Every other family (Access, Excel) does nothing at all.
void ChangeCharset(app::Output& output, app::TaskGate& gate, Sides& sides, DbTree& tree,
                   const std::function<bool()>& chooseCharset);

}  // namespace tabvex::browser
