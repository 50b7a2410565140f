// karmo-cli on fuzzed input files with options picked by the input: every command ends
// with a status of 0, 1 or 2, and what it wrote with success the program reads again.
#include <sstream>
#include <vector>

#include "Cli.h"
#include "FuzzSupport.h"

using namespace karmo;

namespace {

int run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = cli::RunCli(args, out, err);
    fuzz::check(status >= 0 && status <= 2, "an exit status of 0, 1 or 2");
    return status;
}

template <size_t N>
const char* pick(const char* const (&table)[N], uint8_t b) { return table[b % N]; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const uint8_t command = in.take(), format = in.take(), options = in.take(), values = in.take();
    static const char* const kFormats[] = {"karmo", "text", "text-noheader", "asc", "bin"};
    static const char* const kScales[] = {"1", "-2", "0", "1e36", "3e38", "1e-30"};
    static const char* const kLevels[] = {"1", "2", "7", "100", "0.4", "1e9"};
    static const char* const kMse[] = {"500,300,1.5", "1e39,1,1", "500,1e39,1.5", "500,300,1e39", "1,2,1"};
    static const char* const kFits[] = {"beta", "weibull", "lognorm"};

    const std::filesystem::path dir = fuzz::scratchDir();
    const std::string db = (dir / "db").string();
    std::filesystem::create_directories(db);
    const std::string input = (dir / "input").string();
    fuzz::writeFile(input, in.rest());

    std::vector<std::string> args;
    switch (command % 4) {
    case 0: args = {"history", input, "-o", (dir / "out").string()}; break;
    case 1: args = {"spectrum", input, "--json"}; break;
    case 2: args = {"db", "add", db, input}; break;
    default:
        fuzz::writeFile(dir / "db" / "kardt.dat", in.rest());
        args = {(command & 4) ? "report" : "db", (command & 4) ? db : "list", (command & 4) ? "1" : db};
        break;
    }
    if (command % 4 < 3) {
        args.insert(args.end(), {"--format", pick(kFormats, format)});
        if (options & 1) args.push_back("--strain");
        if (options & 2) args.push_back("--us");
        if (options & 4) args.push_back("--no");
        if (options & 8) args.insert(args.end(), {"--gate", (values & 1) ? "5" : "1e39"});
        if (options & 16) args.insert(args.end(), {"--scale", pick(kScales, values >> 1)});
        if (command % 4 > 0) {
            if (options & 32) args.insert(args.end(), {"--levels", pick(kLevels, values >> 3)});
            if (options & 64) args.insert(args.end(), {"--mse", pick(kMse, values >> 5)});
            if (options & 128) args.insert(args.end(), {"--fit", pick(kFits, format >> 3)});
        }
    }
    const int status = run(args);
    if (status != 0) return 0;
    if (command % 4 == 0) {
        const std::string again = (dir / "again").string();
        fuzz::check(run({"history", (dir / "out").string(), "--format", "karmo", "-o", again}) == 0,
                    "a written history reads back");
    } else if (command % 4 == 2) {
        fuzz::check(run({"db", "list", db}) == 0, "a database with the batch added reads back");
    }
    return 0;
}
