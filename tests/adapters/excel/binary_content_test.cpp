// Long binary values as files: hexadecimal text to bytes, the file ending from the
// content's signature, and an Access OLE object's wrapper taken off a known picture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adapters/excel/binary_content.h"
#include "support/ole_object.h"

namespace tabvex::test {
namespace {

using namespace tabvex::adapters;

Bytes BytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

const Bytes kBitmap = Bitmap(4, 3);

TEST(BinaryContentTest, HexadecimalTextBecomesBytesInEitherCaseAndAnythingElseIsRefused) {
    EXPECT_EQ(BytesOfHexText("00FFa0"), (Bytes{0x00, 0xFF, 0xA0}));
    EXPECT_EQ(BytesOfHexText(""), Bytes{});
    EXPECT_EQ(BytesOfHexText("ABC"), std::nullopt);
    EXPECT_EQ(BytesOfHexText("0G"), std::nullopt);
    EXPECT_EQ(BytesOfHexText("0 "), std::nullopt);
}

TEST(BinaryContentTest, TheFileEndingComesFromTheSignatureElseBin) {
    EXPECT_EQ(FileEndingOf(kBitmap), "bmp");
    EXPECT_EQ(FileEndingOf(BytesOf("\x89PNG\r\n\x1a\n....")), "png");
    EXPECT_EQ(FileEndingOf(BytesOf("\xFF\xD8\xFF\xE0")), "jpg");
    EXPECT_EQ(FileEndingOf(BytesOf("GIF87a..")), "gif");
    EXPECT_EQ(FileEndingOf(BytesOf("GIF89a..")), "gif");
    EXPECT_EQ(FileEndingOf(BytesOf("%PDF-1.4")), "pdf");
    EXPECT_EQ(FileEndingOf(BytesOf("GIF8")), "bin");   // cut short
    EXPECT_EQ(FileEndingOf(BytesOf("\x89PNG")), "bin");  // cut short
    EXPECT_EQ(FileEndingOf(BytesOf("plain text")), "bin");
    EXPECT_EQ(FileEndingOf(Bytes{}), "bin");
}

TEST(BinaryContentTest, AnAccessOleObjectGivesThePictureItWraps) {
    const Bytes value = AccessOleObject(kBitmap);
    const BinaryContent content = ContentOf(value);
    EXPECT_EQ(content.extension, "bmp");
    EXPECT_EQ(Bytes(content.bytes.begin(), content.bytes.end()), kBitmap);
}

TEST(BinaryContentTest, AWrappedBitmapLosesThePaddingPastItsStatedSize) {
    Bytes padded = kBitmap;
    padded.resize(kBitmap.size() + 10, 0);
    const Bytes wrapped = AccessOleObject(padded);
    const BinaryContent content = ContentOf(wrapped);
    EXPECT_EQ(content.extension, "bmp");
    EXPECT_EQ(Bytes(content.bytes.begin(), content.bytes.end()), kBitmap);

    Bytes overstated = kBitmap;
    overstated[2] = 0xFF;  // claims more than the wrapper holds: kept as it is
    const Bytes wrappedOverstated = AccessOleObject(overstated);
    const BinaryContent kept = ContentOf(wrappedOverstated);
    EXPECT_EQ(Bytes(kept.bytes.begin(), kept.bytes.end()), overstated);
}

TEST(BinaryContentTest, AWrapperOfAnUnknownKindOrOneCutShortIsKeptWhole) {
    const Bytes unknown = BytesOf("a Word document, say");
    const Bytes whole = AccessOleObject(kBitmap);
    for (const Bytes& value : {AccessOleObject(unknown),
                               AccessOleObject(kBitmap, 100000),  // claims more than there is
                               Bytes(whole.begin(), whole.begin() + 30)}) {
        const BinaryContent content = ContentOf(value);
        EXPECT_EQ(content.extension, "bin");
        EXPECT_EQ(Bytes(content.bytes.begin(), content.bytes.end()), value);
    }
}

TEST(BinaryContentTest, AValueWithoutWrapperIsTakenAsItIs) {
    const Bytes png = BytesOf("\x89PNG\r\n\x1a\nimage data");
    const BinaryContent content = ContentOf(png);
    EXPECT_EQ(content.extension, "png");
    EXPECT_EQ(Bytes(content.bytes.begin(), content.bytes.end()), png);
}

}  // namespace
}  // namespace tabvex::test
