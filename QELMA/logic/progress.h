// What the player achieved on each problem of a collection, kept between
// runs: the store's interface, and a store in memory for a run without a
// database and for the tests of its users.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

namespace keldra {

// The last attempt at a problem: solved at the first try, solved after
// wrong moves, or a wrong move without a solution since.
enum class ProblemResult : std::uint8_t { None = 0, SolvedFirstTry = 1, SolvedAfterMistakes = 2, Failed = 3 };

inline bool IsSolved(ProblemResult r) { return r == ProblemResult::SolvedFirstTry || r == ProblemResult::SolvedAfterMistakes; }

class ProgressStore {
public:
    virtual ~ProgressStore() = default;
    // The results kept for the game trees of the collection `file`, by tree
    // (from 0). Empty when none are kept or the store cannot be read.
    virtual std::map<int, ProblemResult> ResultsOf(const std::string& file) = 0;
    // Keeps the result of game tree `tree` of `file`, replacing what was
    // kept. Returns false when it could not be written.
    virtual bool Keep(const std::string& file, int tree, ProblemResult result) = 0;
    // A message for the player about the store (a damaged file set aside,
    // a file that cannot be written), each kind once a run; empty when none.
    virtual std::string TakeMessage() { return {}; }

    ProblemResult ResultOf(const std::string& file, int tree) {
        const auto results = ResultsOf(file);
        const auto it = results.find(tree);
        return it == results.end() ? ProblemResult::None : it->second;
    }
    // The game trees of `file` solved, at the first try or later.
    int SolvedCount(const std::string& file) {
        int n = 0;
        for (const auto& [tree, result] : ResultsOf(file)) n += IsSolved(result) ? 1 : 0;
        return n;
    }
};

// Results for the life of the object only.
class MemoryProgressStore : public ProgressStore {
public:
    std::map<int, ProblemResult> ResultsOf(const std::string& file) override {
        const auto it = results_.find(file);
        return it == results_.end() ? std::map<int, ProblemResult>{} : it->second;
    }
    bool Keep(const std::string& file, int tree, ProblemResult result) override {
        results_[file][tree] = result;
        return true;
    }

private:
    std::map<std::string, std::map<int, ProblemResult>> results_;
};

}  // namespace keldra
