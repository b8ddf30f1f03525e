#pragma once

#include "app/cli/cli.h"
#include "model/file_system.h"

#include <sstream>
#include <string>
#include <vector>

namespace redewerk::testing {

// The outcome of one in-process run of redewerk-cli.
struct TCliRun {
    int Exit;
    std::string Out;
    std::string Err;
};

inline TCliRun RunCliCommand(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    TDiskFileSystem files;
    int exit = RunCli(args, out, err, files);
    return {exit, out.str(), err.str()};
}

} // namespace redewerk::testing
