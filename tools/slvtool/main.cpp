// slvtool: dump and make label files from the command line.
#include <iostream>

#include "tools/slvtool/slvtool.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return tovik::slvtool::run(args, std::cout, std::cerr);
}
