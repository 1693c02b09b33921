#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// Linux only: programs started and waited for separately, and the tools of the build machine.
namespace archiver_test {

// Starts a program found in PATH (or given by path) without a shell and returns at once; its
// standard output and error go to output_path. With run_as_nobody the child drops root's rights
// first, so permission checks apply to it. WaitForProgram gives its exit code (-1: no normal exit).
pid_t StartProgram(const std::vector<std::string>& argv, const std::string& output_path, bool run_as_nobody = false);
int WaitForProgram(pid_t child);
bool ToolExists(const std::string& name);

}  // namespace archiver_test
