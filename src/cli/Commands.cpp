#include "cli/Commands.h"

#include <cstdio>

namespace ovb::cli {

int Run(int, char**) {
    std::fprintf(stderr, "usage: ovbank COMMAND ...\n");
    return 2;
}

} // namespace ovb::cli
