#pragma once
// The rule every name editor applies when the user types into a name cell: the text is copied
// as a bounded string copy of the name's width (longer text loses its tail, shorter text is
// followed by zero bytes), and an empty text stores the empty-record marker with its terminator.
// Edited names are therefore zero padded while new records are space padded; readers stop at the
// first zero byte either way.
#include "bank/Acc_bank_structure.h"

#include <span>
#include <string_view>

namespace ovb {

// Writes text into the whole width of name. Text stops at its first zero byte, as a C string
// would.
void EditName(std::span<char> name, std::string_view text);

template <std::size_t N> Name<N> EditedName(std::string_view text) {
    Name<N> name;
    EditName(name, text);
    return name;
}

} // namespace ovb
