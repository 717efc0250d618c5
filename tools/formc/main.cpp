// formc: compiles a form description into the binary form resource, and
// optionally into a header of the ids the program names its units by.
// Usage: formc [--missing-files-empty] [--ids HEADER] DESCRIPTION OUTPUT
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

// Writes `text` unless the file already holds it, so that what includes a
// header is rebuilt only when an id changes.
bool write_if_changed(const std::filesystem::path& path, const std::string& text) {
    std::ifstream old(path, std::ios::binary);
    if (old && std::string(std::istreambuf_iterator<char>(old), {}) == text) return true;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

int main(int argc, char** argv) {
    bool missing_files_empty = false;
    std::filesystem::path ids_output;
    int at = 1;
    for (; at < argc - 2; ++at) {
        const std::string option = argv[at];
        if (option == "--missing-files-empty") {
            missing_files_empty = true;
        } else if (option == "--ids" && at + 1 < argc - 2) {
            ids_output = argv[++at];
        } else {
            break;
        }
    }
    if (argc - at != 2) {
        std::fprintf(stderr,
                     "usage: formc [--missing-files-empty] [--ids HEADER] DESCRIPTION OUTPUT\n");
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
    std::vector<formc::WindowIds> ids;
    if (!formc::compile_description(lines, cx, form, error, &ids))
        return fail(input.string(), error);

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
    if (!ids_output.empty() && !write_if_changed(ids_output, formc::ids_header(ids)))
        return fail(ids_output.string(), " cannot write");
    return 0;
}
