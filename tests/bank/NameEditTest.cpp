// Names typed into a name cell: bounded copy with zero fill, and the empty-record marker when
// the cell is cleared. Expected bytes are spelled out so the padding rule itself is checked.
#include "bank/NameEdit.h"

#include <gtest/gtest.h>

#include <string>

using namespace ovb;
using namespace std::string_literals;

namespace {

template <std::size_t N> std::string Bytes(const Name<N>& n) {
    return std::string(n.data(), N);
}

TEST(NameEdit, TextIsCutToTheWidthZeroFilledAndAnEmptyTextStoresTheMarker) {
    Name<32> name;
    name.fill('X');
    EditName(name, "Piano");
    EXPECT_EQ(Bytes(name), "Piano" + std::string(27, '\0'));
    EXPECT_EQ(NameString(name), "Piano");
    name.fill('Q');
    EditName(name, "");
    EXPECT_EQ(Bytes(name), "- - -" + std::string(27, '\0'));

    // Long texts keep only the width, without terminator; exactly the width is all text.
    const std::string forty = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    EXPECT_EQ(Bytes(EditedName<32>(forty)), forty.substr(0, 32));
    EXPECT_EQ(Bytes(EditedName<16>(forty)), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(Bytes(EditedName<16>("0123456789abcdef")), "0123456789abcdef");

    // The text ends at its first zero byte; one that starts with it is an empty cell.
    EXPECT_EQ(Bytes(EditedName<16>("Ab\0cd"s)), "Ab"s + std::string(14, '\0'));
    EXPECT_EQ(Bytes(EditedName<16>("\0xyz"s)), "- - -"s + std::string(11, '\0'));
}

} // namespace
