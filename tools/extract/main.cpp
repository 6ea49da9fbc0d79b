// zendra91-extract: one press of Extract, from the command line.

#include "cli/ExtractTool.h"

#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv)
{
    return runExtractTool(
        std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr, ::isatty(STDERR_FILENO) != 0);
}
