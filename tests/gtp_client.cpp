#include "gtp_client.h"

#include <cctype>
#include <chrono>
#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include "BAN/board.h"

namespace keldra::test {

namespace {

constexpr const char* Columns = "ABCDEFGHJKLMNOPQRST";  // GTP leaves out I

}  // namespace

GtpClient::GtpClient(const std::string& program, const std::vector<std::string>& args) {
    int toChild[2], fromChild[2];
    if (pipe(toChild) != 0) return;
    if (pipe(fromChild) != 0) {
        close(toChild[0]);
        close(toChild[1]);
        return;
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        dup2(toChild[0], STDIN_FILENO);
        dup2(fromChild[1], STDOUT_FILENO);
        close(toChild[0]);
        close(toChild[1]);
        close(fromChild[0]);
        close(fromChild[1]);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    if (pid_ < 0) {
        close(toChild[1]);
        close(fromChild[0]);
        return;
    }
    in_ = toChild[1];
    out_ = fromChild[0];
    std::signal(SIGPIPE, SIG_IGN);  // a program that died shows as a failed write
}

GtpClient::~GtpClient() {
    if (in_ >= 0) {
        const std::string quit = "quit\n";
        [[maybe_unused]] const ssize_t n = write(in_, quit.data(), quit.size());
        close(in_);
    }
    if (out_ >= 0) close(out_);
    if (pid_ > 0) {
        // Give the program a moment to leave on its own, then end it.
        for (int i = 0; i < 50; ++i) {
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) return;
            usleep(10000);
        }
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::optional<std::string> GtpClient::send(const std::string& command, double seconds) {
    if (!running()) return std::nullopt;
    const std::string line = command + "\n";
    if (write(in_, line.data(), line.size()) != static_cast<ssize_t>(line.size())) return std::nullopt;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    // A response ends with an empty line.
    std::size_t end;
    while ((end = pending_.find("\n\n")) == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return std::nullopt;
        pollfd p{out_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
        char buffer[4096];
        const ssize_t n = read(out_, buffer, sizeof buffer);
        if (n <= 0) return std::nullopt;
        for (ssize_t i = 0; i < n; ++i)
            if (buffer[i] != '\r') pending_ += buffer[i];
    }
    std::string response = pending_.substr(0, end);
    pending_.erase(0, end + 2);
    if (response.empty() || response[0] != '=') return std::nullopt;
    std::size_t start = 1;
    while (start < response.size() && std::isdigit(static_cast<unsigned char>(response[start]))) ++start;
    while (start < response.size() && response[start] == ' ') ++start;
    return response.substr(start);
}

std::string GtpClient::vertex(const prover::ProverMove& m) {
    if (m.isPass()) return "pass";
    std::string v(1, Columns[m.x - 1]);
    v += std::to_string(BoardSide + 1 - m.y);
    return v;
}

std::optional<prover::ProverMove> GtpClient::point(const std::string& vertex, std::uint8_t colour) {
    std::string v;
    for (const char c : vertex)
        if (!std::isspace(static_cast<unsigned char>(c))) v += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    prover::ProverMove m;
    m.colour = colour;
    if (v == "PASS") return m;
    if (v.size() < 2) return std::nullopt;
    int x = 0;
    for (int i = 0; i < BoardSide; ++i)
        if (Columns[i] == v[0]) x = i + 1;
    int row = 0;
    for (std::size_t i = 1; i < v.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(v[i]))) return std::nullopt;
        row = row * 10 + (v[i] - '0');
    }
    if (x == 0 || row < 1 || row > BoardSide) return std::nullopt;
    m.x = static_cast<std::uint8_t>(x);
    m.y = static_cast<std::uint8_t>(BoardSide + 1 - row);
    return m;
}

}  // namespace keldra::test
