// The command line's text as UTF-8, which every command takes and prints. Windows hands a
// program its arguments in UTF-16 and its narrow argv in the system's code page, which cannot
// hold every file name; its console shows UTF-8 only once told to.
#pragma once

#include <string>
#include <vector>

namespace kestrel::cli {

// The arguments after the program's name, in UTF-8. On Windows, also sets the console's output
// to UTF-8.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

}  // namespace kestrel::cli
