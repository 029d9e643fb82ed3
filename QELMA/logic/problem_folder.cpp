#include "QELMA/logic/problem_folder.h"

#include <algorithm>
#include <filesystem>

#include "QELMA/logic/form1_logic.h"

namespace keldra {

namespace {

namespace fs = std::filesystem;

bool endsWithNoCase(std::string_view s, std::string_view suffix) {
    if (s.size() < suffix.size()) return false;
    s = s.substr(s.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char c = s[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i]) return false;
    }
    return true;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

bool IsSgfPath(std::string_view path) { return endsWithNoCase(path, ".sgf"); }
bool IsGoPath(std::string_view path) { return endsWithNoCase(path, ".go"); }

std::string FileNameOf(std::string_view path) {
    const auto slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool NaturalLess(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            std::size_t ie = i, je = j;
            while (ie < a.size() && isDigit(a[ie])) ++ie;
            while (je < b.size() && isDigit(b[je])) ++je;
            std::size_t is = i, js = j;  // skip leading zeros for the value
            while (is + 1 < ie && a[is] == '0') ++is;
            while (js + 1 < je && b[js] == '0') ++js;
            const std::string_view da = a.substr(is, ie - is), db = b.substr(js, je - js);
            if (da.size() != db.size()) return da.size() < db.size();
            if (da != db) return da < db;
            if (ie - i != je - j) return ie - i < je - j;  // "2" before "02"
            i = ie, j = je;
            continue;
        }
        const char ca = lower(a[i]), cb = lower(b[j]);
        if (ca != cb) return static_cast<unsigned char>(ca) < static_cast<unsigned char>(cb);
        ++i, ++j;
    }
    if ((a.size() - i) != (b.size() - j)) return a.size() - i < b.size() - j;
    return a < b;
}

std::vector<std::string> ProblemFilesOf(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!IsSgfPath(name) && !IsGoPath(name)) continue;
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& x, const std::string& y) { return NaturalLess(x, y); });
    const std::string prefix = folder == "/" ? "/" : folder + "/";
    for (auto& n : names) n = prefix + n;
    return names;
}

std::optional<ProblemPlace> NextProblem(const ProblemPlace& at) {
    if (at.path.empty()) return std::nullopt;
    if (at.tree >= 0 && at.tree + 1 < at.trees) return ProblemPlace{at.path, at.tree + 1, at.trees};
    const std::string name = FileNameOf(at.path);
    for (const auto& file : ProblemFilesOf(folderOf(at.path))) {
        if (NaturalLess(name, FileNameOf(file))) return ProblemPlace{file, 0, 1};
    }
    return std::nullopt;
}

std::optional<ProblemPlace> PreviousProblem(const ProblemPlace& at) {
    if (at.path.empty()) return std::nullopt;
    if (at.tree > 0) return ProblemPlace{at.path, at.tree - 1, at.trees};
    const std::string name = FileNameOf(at.path);
    const auto files = ProblemFilesOf(folderOf(at.path));
    for (auto it = files.rbegin(); it != files.rend(); ++it) {
        if (NaturalLess(FileNameOf(*it), name)) return ProblemPlace{*it, -1, 1};
    }
    return std::nullopt;
}

std::string ProblemCaption(const ProblemPlace& place) {
    std::string caption = Tr(ProblemCaptionPrefix) + FileNameOf(place.path);
    if (place.trees > 1) caption += " (" + std::to_string(place.tree + 1) + "/" + std::to_string(place.trees) + ")";
    return caption;
}

}  // namespace keldra
