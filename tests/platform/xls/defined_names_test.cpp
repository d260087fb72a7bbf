// Defined names of corpus workbooks that formulas use: removing names (one, or a
// sheet's local ones with the sheet) must leave every other reference on the name it
// named, in cells, shared formulas, validations and other names; xlrd agrees.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "platform/text/utf8.h"
#include "platform/xls/compound_file.h"
#include "platform/xls/formula_holders.h"
#include "platform/xls/formula_tokens.h"
#include "platform/xls/name_record.h"
#include "platform/xls/record_ids.h"
#include "platform/xls/record_reader.h"
#include "platform/xls/text_encoding.h"
#include "platform/xls/workbook.h"
#include "support/test_support.h"
#include "xls_test_support.h"

namespace tabvex::xls {
namespace {

namespace fs = std::filesystem;
using tabvex::test::ReadWithXlrd;
using tabvex::test::ScratchDir;
using test::CorpusWorkbook;
using test::XlrdName;

// One PtgName (or a reference error where one was) in a saved file: which formula
// holds it (sheet, record kind, cell or position) and the 1-based name index, 0 for #REF!.
struct NameUse {
    std::string holder;
    uint32_t index;
};

struct NameUses {
    std::vector<std::string> names;  // the NAME records, in order
    std::vector<NameUse> uses;

    // Each use as "holder -> name text", sorted, for comparing files.
    std::vector<std::string> Described(const std::function<std::string(uint32_t)>& text) const {
        std::vector<std::string> out;
        for (const auto& use : uses) out.push_back(use.holder + " -> " + text(use.index));
        std::sort(out.begin(), out.end());
        return out;
    }
};

void CollectUses(std::span<const uint8_t> tokens, const std::string& holder, NameUses& found) {
    ForEachToken(tokens, [&](size_t offset) {
        uint8_t base = TokenBase(tokens[offset]);
        if (base == ptg::kName) found.uses.push_back({holder, ByteReader(tokens, offset + 1).u32()});
        if (base == ptg::kRefErr) found.uses.push_back({holder, 0});
    });
}

// Reads the Workbook stream of `path` record by record, as the engine does not.
NameUses ReadNameUses(const fs::path& path) {
    auto file = ReadCompoundFile(path);
    Workbook book = Workbook::Open(path);
    NameUses found;
    RecordReader reader(file.workbook, 0);
    int sheet = -2, depth = 0;  // the globals substream comes first
    std::map<std::string, int> seen;  // per sheet and record kind
    BiffRecord record;
    while (reader.Next(record)) {
        if (record.sid == rid::kBof && depth++ == 0) ++sheet;
        if (record.sid == rid::kEof) --depth;
        std::string where = sheet < 0 ? "globals" : book.Sheet(size_t(sheet)).Name();
        if (record.sid == rid::kName) {
            auto name = NameRecord::Parse(record);
            found.names.push_back(text::Utf16ToUtf8(name.DisplayName()) + "@" + std::to_string(name.sheetScope));
            CollectUses(name.formula, "name " + found.names.back(), found);
            continue;
        }
        auto spans = FormulaTokensIn(record.sid, record.data, record.continueOffsets);
        if (spans.empty()) continue;
        std::string holder = where + " record " + std::to_string(record.sid) + " ";
        if (record.sid == rid::kFormula) {
            ByteReader cell(record.data);
            uint16_t row = cell.u16(), column = cell.u16();
            holder += std::to_string(row) + "," + std::to_string(column);
        } else {
            holder += "#" + std::to_string(seen[holder]++);
        }
        for (size_t i = 0; i < spans.size(); ++i) {
            auto tokens = std::span<const uint8_t>(record.data).subspan(spans[i].offset, spans[i].size);
            CollectUses(tokens, holder + "/" + std::to_string(i), found);
        }
    }
    return found;
}

std::string NameText(const NameUses& uses, uint32_t index) {
    return index == 0 ? "#REF!" : index <= uses.names.size() ? uses.names[index - 1] : "index " + std::to_string(index);
}

// What the uses of `before` must read as once the names at `removed` (0-based) are
// gone and the formulas of sheet `droppedSheet` with them.
std::vector<std::string> Expected(const NameUses& before, const std::vector<size_t>& removed,
                                  const std::string& droppedSheet = "") {
    NameUses kept = before;
    std::erase_if(kept.uses, [&](const NameUse& use) {
        if (!droppedSheet.empty() && use.holder.rfind(droppedSheet + " record", 0) == 0) return true;
        return std::any_of(removed.begin(), removed.end(),
                           [&](size_t i) { return use.holder == "name " + before.names[i]; });
    });
    return kept.Described([&](uint32_t index) {
        bool gone = std::find(removed.begin(), removed.end(), size_t(index) - 1) != removed.end();
        return gone ? std::string("#REF!") : NameText(before, index);
    });
}

std::vector<std::string> Actual(const NameUses& after) {
    return after.Described([&](uint32_t index) { return NameText(after, index); });
}

TEST(DefinedNames, DeletingANameKeepsEveryOtherReferenceOnItsName) {
    struct Case {
        std::string file, name;
        size_t position;  // of the NAME record DeleteName picks
    };
    const std::vector<Case> cases = {
        {"xlrd-namesdemo.xls", "Profit", 22},        // used by another name, after others it uses
        {"xlrd-namesdemo.xls", "localrange", 11},   // sheet-local, used through PtgNameX
        {"poi-57231_MixedGasReport.xls", "CurrencyType", 0},  // thousands of cell and shared formulas
        {"poi-IndexFunctionTestCaseData.xls", "numberArea", 0},
        {"poi-42464-ExpPtg-ok.xls", "Business_Line", 2},  // validations
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + " without " + c.name);
        fs::path original = CorpusWorkbook(c.file);
        if (original.empty() || !fs::exists(original)) GTEST_SKIP() << "no corpus";
        ScratchDir dir;
        NameUses before = ReadNameUses(original);
        Workbook book = Workbook::Open(original);
        size_t count = book.Names().size();
        book.DeleteName(c.name);
        ASSERT_EQ(book.Names().size(), count - 1);
        book.Save(dir / "changed.xls");

        NameUses after = ReadNameUses(dir / "changed.xls");
        EXPECT_EQ(Actual(after), Expected(before, {c.position}));
        EXPECT_EQ(after.names.size(), count - 1);
    }
}

TEST(DefinedNames, XlrdReadsNamesThatReferToNamesAfterADeletion) {
    fs::path original = CorpusWorkbook("xlrd-namesdemo.xls");
    if (original.empty() || !fs::exists(original)) GTEST_SKIP() << "no corpus";
    ScratchDir dir;
    Workbook book = Workbook::Open(original);
    book.DeleteName("addnumstr");  // before every name the others use
    book.DeleteName("rectangle1");
    book.DeleteName("LocalRange");
    book.Save(dir / "changed.xls");

    auto x = ReadWithXlrd(dir / "changed.xls");
    // xlrd shows a reference error as (?) and evaluates names through the names they use.
    EXPECT_EQ(XlrdName(x, "BottomLine")["text"], "Profit Year_Tot");
    EXPECT_EQ(XlrdName(x, "BottomLine")["area"],
              (nlohmann::json{{"sheet", "Sheet3"}, {"rlo", 3}, {"rhi", 4}, {"clo", 13}, {"chi", 14}}));
    EXPECT_EQ(XlrdName(x, "Intersection")["text"], "(?) rectangle2");
    EXPECT_EQ(XlrdName(x, "List")["text"], "(?),rectangle2");
    EXPECT_EQ(XlrdName(x, "all_local_ranges")["text"], "(?),Sheet2!localRange,Sheet3!Localrange");
}

TEST(DefinedNames, DeletingASheetRenumbersPastItsLocalNames) {
    fs::path original = CorpusWorkbook("poi-57231_MixedGasReport.xls");
    if (original.empty() || !fs::exists(original)) GTEST_SKIP() << "no corpus";
    ScratchDir dir;
    NameUses before = ReadNameUses(original);
    Workbook book = Workbook::Open(original);
    const std::string dropped = book.Sheet(2).Name();
    std::vector<size_t> local;
    auto names = book.Names();
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i].sheetScope == 2u) local.push_back(i);
    }
    ASSERT_GE(local.size(), 3u);
    book.DeleteSheet(2);
    book.Save(dir / "changed.xls");

    EXPECT_EQ(Actual(ReadNameUses(dir / "changed.xls")), Expected(before, local, dropped));
    Workbook again = Workbook::Open(dir / "changed.xls");
    EXPECT_EQ(again.Names().size(), names.size() - local.size());
    for (const auto& name : again.Names()) EXPECT_LT(name.sheetScope.value_or(0), again.SheetCount()) << name.name;
}

TEST(DefinedNames, LookupAmongThousandsIsCaseInsensitiveAndPrefersGlobalNames) {
    fs::path original = CorpusWorkbook("poi-56450.xls");
    if (original.empty() || !fs::exists(original)) GTEST_SKIP() << "no corpus";
    Workbook book = Workbook::Open(original);
    auto names = book.Names();
    ASSERT_GT(names.size(), 5000u);
    // Every name is found under its text in upper case: itself, or a global one of
    // the same text, or the first of its text in order (checked on a sample).
    for (size_t i = 0; i < names.size(); i += 37) {
        std::string upper = names[i].name;
        std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return char(std::toupper(c)); });
        auto found = book.FindName(upper);
        ASSERT_TRUE(found) << names[i].name;
        auto same = [&](const DefinedNameInfo& n) { return FoldCase(text::Utf8ToUtf16(n.name)) == FoldCase(text::Utf8ToUtf16(upper)); };
        auto global = std::find_if(names.begin(), names.end(), [&](const auto& n) { return same(n) && !n.sheetScope; });
        auto first = std::find_if(names.begin(), names.end(), same);
        const auto& wanted = global != names.end() ? *global : *first;
        ASSERT_EQ(found->name, wanted.name);
        ASSERT_EQ(found->sheetScope, wanted.sheetScope);
    }
    book.DeleteName(names.back().name);
    book.AddName(names.back().name + "x", SheetArea{0, {0, 0, 0, 0}});
    EXPECT_TRUE(book.FindName(names.back().name + "X"));
    EXPECT_EQ(book.Names().size(), names.size());
}

}  // namespace
}  // namespace tabvex::xls
