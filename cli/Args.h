#pragma once
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace karmo::cli {

// The options a command takes: those with a value ("--levels 7" or "--levels=7") and the
// switches ("--json").
struct OptionTable {
    std::set<std::string> withValue;
    std::set<std::string> switches;
};

struct ParsedArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;   // the last one given wins
    std::vector<std::pair<std::string, std::string>> ordered;   // every value option, in order
    std::set<std::string> switches;
    bool help = false;                            // --help or -h

    bool has(const std::string& name) const { return switches.count(name) != 0; }
    std::optional<std::string> value(const std::string& name) const;
};

// Parses args[first..]; false with `error` set for an unknown option or a missing value.
bool ParseArgs(const std::vector<std::string>& args, size_t first, const OptionTable& table,
               ParsedArgs& out, std::string& error);

// The options of the commands that read a history and count it.
OptionTable InputOptionTable();
void AddSpectrumOptions(OptionTable& t);

}  // namespace karmo::cli
