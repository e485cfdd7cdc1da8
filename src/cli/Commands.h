#pragma once
// ovbank: the bank manager's jobs without windows. Exit codes: 0 done, 1 refused or found
// errors, 2 usage error.
namespace ovb::cli {

int Run(int argc, char** argv);

} // namespace ovb::cli
