#include "ExampleDatabase.h"

#include <iostream>

namespace karmo::tools {

bool MakeExampleDatabase(const std::string& dir, const std::string& seriesPath) {
    (void)dir;
    (void)seriesPath;
    std::cerr << "make-examples: the database is not written yet\n";
    return true;
}

}  // namespace karmo::tools
