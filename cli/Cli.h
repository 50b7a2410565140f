#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace karmo::cli {

// karmo-cli with its arguments (without the program name): output to `out`, messages and
// errors to `err`. Returns the exit status: 0 success, 1 the input could not be used,
// 2 usage error.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace karmo::cli
