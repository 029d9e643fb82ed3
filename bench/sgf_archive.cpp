// Opens every SGF file under a folder as the window would (the first game
// tree, fitted onto the 13x13 board) and counts what opens, what opens with
// a warning, and the refusals by message.
//   keldra_sgf_archive FOLDER
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "BAN/sgf/sgf_fit.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: keldra_sgf_archive FOLDER\n");
        return 2;
    }
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(argv[1], ec), end; it != end; it.increment(ec)) {
        if (ec) break;
        std::string ext = it->path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (it->is_regular_file(ec) && ext == ".sgf") files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    std::map<std::string, int> refusals, warnings;
    int opened = 0;
    long nodes = 0, marked = 0;
    int withAnswer = 0;  // problems with a black first move judged correct
    const auto started = std::chrono::steady_clock::now();
    for (const fs::path& p : files) {
        const keldra::SgfLoad load = keldra::ReadSgfFile(p.string());
        if (!load.ok) {
            ++refusals[load.error];
            continue;
        }
        const keldra::FittedProblem fit = keldra::FitSgfGame(load.game);
        if (!fit.ok) {
            ++refusals[fit.error];
            continue;
        }
        ++opened;
        if (!fit.warning.empty()) ++warnings[fit.warning];
        nodes += static_cast<long>(fit.tree.nodes.size());
        for (const auto& n : fit.tree.nodes) marked += n.mark != keldra::SgfJudgement::Unknown;
        for (const int c : fit.tree.nodes[0].children) {
            if (fit.tree.nodes[static_cast<std::size_t>(c)].judgement == keldra::SgfJudgement::Correct) {
                ++withAnswer;
                break;
            }
        }
    }
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("files %zu\nopened %d\nwith a correct first move %d\ntree nodes %ld (marked %ld)\nseconds %.2f\n", files.size(), opened,
                withAnswer, nodes, marked, s);
    for (const auto& [message, count] : warnings) std::printf("warning %d %s\n", count, message.c_str());
    std::vector<std::pair<int, std::string>> byCount;
    for (const auto& [message, count] : refusals) byCount.emplace_back(count, message);
    std::sort(byCount.rbegin(), byCount.rend());
    for (const auto& [count, message] : byCount) std::printf("refused %d %s\n", count, message.c_str());
    return 0;
}
