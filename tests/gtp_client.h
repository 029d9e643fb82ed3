// A Go Text Protocol client for tests: starts an outside Go program with
// pipes to its standard input and output and exchanges one command and one
// response at a time, each answer bounded by a timeout.
#pragma once

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

#include "prover/prover.h"

namespace keldra::test {

class GtpClient {
public:
    // Starts `program` with `args`; running() is false when that failed.
    GtpClient(const std::string& program, const std::vector<std::string>& args);
    ~GtpClient();
    GtpClient(const GtpClient&) = delete;
    GtpClient& operator=(const GtpClient&) = delete;

    bool running() const { return pid_ > 0 && in_ >= 0 && out_ >= 0; }

    // Sends one command line and returns the response text after "= ", or
    // nothing on "? ", on a closed pipe or when no full answer came within
    // `seconds`.
    std::optional<std::string> send(const std::string& command, double seconds = 30.0);

    // GTP vertex of a board point, X from the left, Y from the top ("pass" for a pass).
    static std::string vertex(const prover::ProverMove& m);
    // The point of a GTP vertex ("pass" as x = 0); nothing for anything else.
    static std::optional<prover::ProverMove> point(const std::string& vertex, std::uint8_t colour);

private:
    pid_t pid_ = -1;
    int in_ = -1;   // the program's standard input
    int out_ = -1;  // the program's standard output
    std::string pending_;
};

}  // namespace keldra::test
