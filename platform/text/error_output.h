#pragma once
// The program's own messages on standard error. Inside they are GBK with
// CR LF line ends, as message boxes take them; a terminal, a log file or the
// journal reads the user's character set with LF line ends, whether or not
// standard error is a terminal.
#include <string>
#include <string_view>

namespace plat {

// Writes `gbk` to standard error in the user's character set, each CR LF as LF.
// A character the charset lacks comes out as "?", as does a byte that is not GBK.
void write_error_output(std::string_view gbk);

}  // namespace plat
