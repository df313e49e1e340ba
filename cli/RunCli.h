// The whole command-line converter as one call: arguments in (UTF-8, without the program name),
// exit status out: 0 done, 1 the bank or the conversion failed, 2 a bad command line.
#pragma once

#include <string>
#include <vector>

int RunCli(const std::vector<std::string>& args);
