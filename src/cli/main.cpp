#include "cli/Commands.h"

int main(int argc, char** argv) {
    return ovb::cli::Run(argc, argv);
}
