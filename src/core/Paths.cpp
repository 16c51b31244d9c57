#include "core/Paths.h"

#include <algorithm>
#include <cctype>
#include <system_error>
#include <vector>

namespace tarq {
namespace {

std::vector<std::string> SplitComponents(const std::string& name) {
    std::vector<std::string> parts;
    std::string current;
    for (char ch : name) {
        if (ch == '\\' || ch == '/') {
            if (!current.empty()) parts.push_back(current);
            current.clear();
        } else {
            current += ch;
        }
    }
    if (!current.empty()) parts.push_back(current);
    return parts;
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::filesystem::path MatchComponent(const std::filesystem::path& dir, const std::string& part) {
    std::error_code ec;
    const std::filesystem::path exact = dir / part;
    if (std::filesystem::exists(exact, ec)) return exact;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        if (EqualsIgnoringCase(candidate, part)) return it->path();
    }
    return exact;
}

}  // namespace

std::filesystem::path ResolveGamePath(const std::string& name, const std::filesystem::path& base) {
    std::filesystem::path result = base;
    for (const std::string& part : SplitComponents(name)) result = MatchComponent(result, part);
    return result;
}

bool GameFileExists(const std::string& name, const std::filesystem::path& base) {
    std::error_code ec;
    return std::filesystem::is_regular_file(ResolveGamePath(name, base), ec);
}

}  // namespace tarq
