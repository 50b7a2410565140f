#include "Args.h"

namespace karmo::cli {

std::optional<std::string> ParsedArgs::value(const std::string& name) const {
    const auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
}

bool ParseArgs(const std::vector<std::string>& args, size_t first, const OptionTable& table,
               ParsedArgs& out, std::string& error) {
    bool optionsEnded = false;
    for (size_t i = first; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-') {
            out.positional.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        if (a == "--help" || a == "-h") {
            out.help = true;
            continue;
        }
        std::string name = a;
        std::optional<std::string> inlineValue;
        const size_t eq = a.find('=');
        if (a.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = a.substr(0, eq);
            inlineValue = a.substr(eq + 1);
        }
        if (table.withValue.count(name)) {
            if (inlineValue) {
                out.values[name] = *inlineValue;
            } else if (i + 1 < args.size()) {
                out.values[name] = args[++i];
            } else {
                error = "option " + name + " needs a value";
                return false;
            }
            out.ordered.emplace_back(name, out.values[name]);
        } else if (table.switches.count(name) && !inlineValue) {
            out.switches.insert(name);
        } else {
            error = "unknown option " + a;
            return false;
        }
    }
    return true;
}

OptionTable InputOptionTable() {
    OptionTable t;
    t.withValue = {"--format", "--gate", "--scale"};
    t.switches = {"--strain", "--us", "--no"};
    return t;
}

void AddSpectrumOptions(OptionTable& t) {
    t.withValue.insert({"--levels", "--min-range", "--mse", "--fit"});
}

}  // namespace karmo::cli
