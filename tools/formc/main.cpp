// formc: compiles a form description into the binary form resource.
// Usage: formc [--missing-files-empty] DESCRIPTION OUTPUT
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "forms/resource/form_resource.h"
#include "tools/formc/description.h"
#include "tools/formc/lexer.h"

namespace {

int fail(const std::string& where, const std::string& why) {
    std::fprintf(stderr, "formc: %s:%s\n", where.c_str(), why.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    bool missing_files_empty = argc == 4 && std::string(argv[1]) == "--missing-files-empty";
    if (argc != 3 && !missing_files_empty) {
        std::fprintf(stderr, "usage: formc [--missing-files-empty] DESCRIPTION OUTPUT\n");
        return 2;
    }
    const std::filesystem::path input = argv[argc - 2];
    const std::filesystem::path output = argv[argc - 1];
    std::ifstream in(input, std::ios::binary);
    if (!in) return fail(input.string(), " cannot read");
    std::string source(std::istreambuf_iterator<char>(in), {});

    std::vector<formc::Line> lines;
    std::string error;
    if (!formc::lex(source, lines, error)) return fail(input.string(), error);
    formc::ValueContext cx{input.parent_path(), {}, missing_files_empty};
    vel::FormResource form;
    if (!formc::compile_description(lines, cx, form, error)) return fail(input.string(), error);

    vel::ResourceBytes bytes = vel::write_form_resource(form);
    // What the program will read must read back whole.
    vel::FormReadResult check = vel::read_form_resource(bytes);
    if (!check.ok()) return fail(output.string(), " does not read back: " + check.error);

    // Written beside the target and renamed, so a failed run leaves no half file.
    std::filesystem::path temp = output;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) return fail(temp.string(), " cannot write");
    }
    std::error_code ec;
    std::filesystem::rename(temp, output, ec);
    if (ec) return fail(output.string(), " " + ec.message());
    return 0;
}
