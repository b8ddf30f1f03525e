#pragma once

#include "model/text_lines.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace redewerk::testing {

// A compiled block as tests/data/codegen/listings/NAME holds it, one line each.
inline TLines Listing(const std::string& name) {
    std::ifstream in(std::string(REDEWERK_TEST_DATA_DIR) + "/codegen/listings/" + name,
                     std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_FALSE(text.str().empty()) << name;
    return SplitLines(text.str());
}

} // namespace redewerk::testing
