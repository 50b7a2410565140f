// make-examples [DIR]: writes the example files of the repository into DIR (default
// "examples"); see ExampleFiles.h.
#include <iostream>
#include <string>

#include "ExampleFiles.h"

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "examples";
    if (!karmo::tools::MakeExamples(dir)) return 1;
    std::cout << "make-examples: wrote " << dir << "/strain-gauge.asc, strain-gauge.bin, bracket.txt and database/\n";
    return 0;
}
