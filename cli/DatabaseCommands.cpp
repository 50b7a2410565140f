#include "Commands.h"
#include "Pipeline.h"

namespace karmo::cli {

int DbCommand(const std::string& sub, const ParsedArgs&, std::ostream&, std::ostream&) {
    throw CliFailure(1, "karmo-cli: db " + sub + " is not available yet", true);
}

int ReportCommand(const ParsedArgs&, std::ostream&, std::ostream&) {
    throw CliFailure(1, "karmo-cli: report is not available yet", true);
}

}  // namespace karmo::cli
