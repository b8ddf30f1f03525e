#include "app/cli/cli.h"
#include "model/file_system.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    redewerk::TDiskFileSystem files;
    return redewerk::RunCli(args, std::cout, std::cerr, files);
}
