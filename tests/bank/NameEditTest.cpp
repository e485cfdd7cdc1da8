// Names typed into a name cell: bounded copy with zero fill, and the empty-record marker when
// the cell is cleared. Expected bytes are spelled out so the padding rule itself is checked.
#include "bank/NameEdit.h"

#include <gtest/gtest.h>

#include <string>

using namespace ovb;

namespace {

template <std::size_t N> std::string Bytes(const Name<N>& n) {
    return std::string(n.data(), N);
}

template <std::size_t N> Name<N> Filled(char c) {
    Name<N> n;
    n.fill(c);
    return n;
}

TEST(NameEdit, ShortTextIsFollowedByZeroBytesWhateverWasThere) {
    Name<32> name = Filled<32>('X');
    EditName(name, "Piano");
    EXPECT_EQ(Bytes(name), std::string("Piano") + std::string(27, '\0'));
    EXPECT_EQ(NameString(name), "Piano");
}

TEST(NameEdit, LongTextKeepsOnlyTheWidthWithoutTerminator) {
    const std::string forty = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    ASSERT_EQ(forty.size(), 40u);
    EXPECT_EQ(Bytes(EditedName<32>(forty)), forty.substr(0, 32));
    EXPECT_EQ(Bytes(EditedName<16>(forty)), "ABCDEFGHIJKLMNOP");
    // Exactly the width: every byte is text.
    EXPECT_EQ(Bytes(EditedName<16>("0123456789abcdef")), "0123456789abcdef");
}

TEST(NameEdit, ClearedNameStoresTheMarkerAndZeros) {
    Name<32> name = Filled<32>('Q');
    EditName(name, "");
    EXPECT_EQ(Bytes(name), std::string("- - -") + std::string(27, '\0'));
    EXPECT_EQ(Bytes(EditedName<16>("")), std::string("- - -") + std::string(11, '\0'));
}

TEST(NameEdit, TextEndsAtItsFirstZeroByte) {
    using namespace std::string_literals;
    EXPECT_EQ(Bytes(EditedName<16>("Ab\0cd"s)), "Ab"s + std::string(14, '\0'));
    // A text that starts with a zero byte is an empty cell.
    EXPECT_EQ(Bytes(EditedName<16>("\0xyz"s)), "- - -"s + std::string(11, '\0'));
}

} // namespace
