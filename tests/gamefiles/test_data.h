#pragma once

#include "model/file_system.h"

#include <gtest/gtest.h>

#include <string>

namespace redewerk::testing {

// A file of tests/data/gamefiles, byte for byte.
inline std::string GameFileData(const std::string& name) {
    std::string content;
    TDiskFileSystem files;
    EXPECT_EQ(files.ReadFile(std::string(REDEWERK_TEST_DATA_DIR) + "/gamefiles/" + name, content),
              0)
        << name;
    return content;
}

} // namespace redewerk::testing
