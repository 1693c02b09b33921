#pragma once

#include <string>

namespace testing_support {

// The test program that stands in for the archiver (see child_program.cpp), in quotes as the
// first word of a command line.
inline std::string ChildCommand() { return "\"" FALDONE_TEST_CHILD "\""; }

}  // namespace testing_support
