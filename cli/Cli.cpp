#include "Cli.h"

#include <exception>

#include "Commands.h"
#include "Pipeline.h"
#include "Usage.h"

namespace karmo::cli {

OptionTable CommandOptions(const std::string& command, const std::string& sub) {
    OptionTable t;
    if (command == "history") {
        t = InputOptionTable();
        t.withValue.insert("-o");
    } else if (command == "spectrum") {
        t = InputOptionTable();
        AddSpectrumOptions(t);
        t.withValue.insert("--matrix");
        t.switches.insert("--json");
    } else if (command == "damage") {
        t = InputOptionTable();
        AddSpectrumOptions(t);
        t.withValue.insert({"--db", "--sn", "--detail-category", "--nref"});
        t.switches.insert("--json");
    } else if (command == "edit") {
        t = InputOptionTable();
        t.withValue.insert({"-o", "--rescale", "--cut", "--cut-band", "--append", "--smooth", "--set"});
        t.switches.insert("--json");
    } else if (command == "synth") {
        t.withValue = {"--type", "--q", "--r", "--max", "--min", "--levels", "--volume"};
        t.switches = {"--json"};
    } else if (command == "db") {
        if (sub == "list") {
            t.switches = {"--json"};
        } else if (sub == "add") {
            t = InputOptionTable();
            AddSpectrumOptions(t);
            t.withValue.insert("--name");
        }
    } else if (command == "report") {
        t.withValue = {"-o", "--date"};
        t.switches = {"--printer", "--us"};
    }
    return t;
}

InputOptions InputOptionsFrom(const ParsedArgs& a) {
    InputOptions o;
    o.format = a.value("--format").value_or("");
    o.strain = a.has("--strain");
    o.us = a.has("--us");
    o.gate = a.value("--gate").value_or("0");
    o.scale = a.value("--scale").value_or("1");
    return o;
}

SpectrumOptions SpectrumOptionsFrom(const ParsedArgs& a) {
    SpectrumOptions so;
    so.levels = a.value("--levels");
    so.minRange = a.value("--min-range");
    so.mse = a.value("--mse");
    so.fit = a.value("--fit");
    return so;
}

namespace {

int usageError(std::ostream& err, const std::string& command, const std::string& why) {
    err << "karmo-cli: " << why << "\n\n" << UsageText(command);
    return 2;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return usageError(err, "", "no command given");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        out << UsageText(args.size() > 1 && command == "help" ? args[1] : "");
        return 0;
    }
    if (UsageText(command).empty() || command.empty())
        return usageError(err, "", "unknown command " + command);

    std::string sub;
    size_t first = 1;
    if (command == "db") {
        if (args.size() < 2 || args[1] == "--help" || args[1] == "-h") {
            if (args.size() >= 2) {
                out << UsageText("db");
                return 0;
            }
            return usageError(err, "db", "db needs list, add or delete");
        }
        sub = args[1];
        if (sub != "list" && sub != "add" && sub != "delete")
            return usageError(err, "db", "unknown db command " + sub);
        first = 2;
    }

    ParsedArgs parsed;
    std::string error;
    if (!ParseArgs(args, first, CommandOptions(command, sub), parsed, error)) {
        // --help wins over anything else on the line.
        for (const auto& a : args)
            if (a == "--help" || a == "-h") {
                out << UsageText(command);
                return 0;
            }
        return usageError(err, command, error);
    }
    if (parsed.help) {
        out << UsageText(command);
        return 0;
    }

    try {
        if (command == "history") return HistoryCommand(parsed, out, err);
        if (command == "spectrum") return SpectrumCommand(parsed, out, err);
        if (command == "synth") return SynthCommand(parsed, out, err);
        if (command == "edit") return EditCommand(parsed, out, err);
        if (command == "db") return DbCommand(sub, parsed, out, err);
        if (command == "damage") return DamageCommand(parsed, out, err);
        return ReportCommand(parsed, out, err);
    } catch (const CliFailure& f) {
        if (f.code == 2) return usageError(err, command, f.what());
        if (f.showLine) err << f.what() << '\n';
        return f.code;
    } catch (const std::exception& e) {
        err << "karmo-cli: " << e.what() << '\n';
        return 1;
    }
}

}  // namespace karmo::cli
