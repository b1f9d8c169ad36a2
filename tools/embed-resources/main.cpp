// embed-resources MANIFEST ASSET_DIR OUTPUT.cpp
// Writes a C++ file that holds every file the manifest lists as a byte array,
// with the table that AllResources returns. Run by the build.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Entry {
    std::string kind;
    int id;
    std::string file;
};

std::string KindName(const std::string& kind) {
    if (kind == "bitmap") {
        return "ResourceKind::Bitmap";
    }
    if (kind == "icon") {
        return "ResourceKind::Icon";
    }
    if (kind == "wave") {
        return "ResourceKind::Wave";
    }
    return "";
}

bool ReadManifest(const std::string& path, std::vector<Entry>& entries) {
    std::ifstream in(path);
    if (!in) {
        std::cerr << "embed-resources: cannot read " << path << "\n";
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream words(line);
        Entry entry;
        if (!(words >> entry.kind >> entry.id >> entry.file) || KindName(entry.kind).empty()) {
            std::cerr << path << ":" << number << ": expected 'bitmap|icon|wave ID FILE'\n";
            return false;
        }
        entries.push_back(entry);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: embed-resources MANIFEST ASSET_DIR OUTPUT.cpp\n";
        return 2;
    }
    std::vector<Entry> entries;
    if (!ReadManifest(argv[1], entries)) {
        return 1;
    }
    std::ostringstream out;
    out << "// Made by embed-resources from assets/resources.txt; do not edit.\n"
        << "#include \"assets/resources.h\"\n\n#include <array>\n\nnamespace {\n\n";
    for (const Entry& entry : entries) {
        const std::string path = std::string(argv[2]) + "/" + entry.file;
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            std::cerr << "embed-resources: cannot read " << path << "\n";
            return 1;
        }
        const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                      std::istreambuf_iterator<char>()};
        out << "// " << entry.file << "\nconst std::uint8_t " << entry.kind << entry.id << "["
            << (bytes.empty() ? 1 : bytes.size()) << "] = {";
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            out << (i % 24 == 0 ? "\n" : "")
                << static_cast<unsigned>(static_cast<unsigned char>(bytes[i])) << ",";
        }
        out << "};\nconstexpr std::size_t " << entry.kind << entry.id << "Size = " << bytes.size()
            << ";\n\n";
    }
    out << "const std::array<Resource, " << entries.size() << "> table = {{\n";
    for (const Entry& entry : entries) {
        out << "    {" << KindName(entry.kind) << ", " << entry.id << ", {" << entry.kind
            << entry.id << ", " << entry.kind << entry.id << "Size}},\n";
    }
    out << "}};\n\n} // namespace\n\nstd::span<const Resource> AllResources() { return table; }\n";

    std::ofstream result(argv[3], std::ios::binary);
    result << out.str();
    if (!result.flush()) {
        std::cerr << "embed-resources: cannot write " << argv[3] << "\n";
        return 1;
    }
    return 0;
}
