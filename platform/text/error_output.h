#pragma once
// The program's own messages on standard error. Inside they are GBK with
// CR LF line ends, as message boxes take them; a terminal, a log file or the
// journal reads the user's character set with LF line ends, whether or not
// standard error is a terminal.
#include <string>
#include <string_view>

namespace plat {

// Writes `gbk` to standard error in error_output_charset(), each CR LF as LF.
// A character the charset lacks comes out as "?", as does a byte that is not GBK.
void write_error_output(std::string_view gbk);

// The character set of the user's locale (LC_ALL, LC_CTYPE, LANG), read
// without changing the program's own locale. UTF-8 when the locale names
// plain ASCII (C, POSIX, or nothing set): ASCII cannot carry the messages at
// all, and terminals and the journal read UTF-8 today.
std::string error_output_charset();

}  // namespace plat
