#include "BAN/sgf/sgf_tree.h"

#include <algorithm>
#include <utility>

#include "BAN/sgf/sgf_writer.h"

namespace keldra {

const char* SgfJudgementToken(SgfJudgement j) {
    switch (j) {
    case SgfJudgement::Correct: return "correct";
    case SgfJudgement::Wrong: return "wrong";
    case SgfJudgement::Unknown: break;
    }
    return "unknown";
}

namespace {

struct MarkWord {
    std::string_view bytes;
    SgfJudgement judgement;
    bool word;        // ASCII: only as a whole word
    bool anyCase;     // ASCII: in any case
};

// 正解 and 失敗/失败 in UTF-8, GB2312 and Shift_JIS; the English marks.
constexpr MarkWord MarkWords[] = {
    {"\xE6\xAD\xA3\xE8\xA7\xA3", SgfJudgement::Correct, false, false},
    {"\xD5\xFD\xBD\xE2", SgfJudgement::Correct, false, false},
    {"\x90\xB3\x89\xF0", SgfJudgement::Correct, false, false},
    {"\xE5\xA4\xB1\xE6\x95\x97", SgfJudgement::Wrong, false, false},
    {"\xE5\xA4\xB1\xE8\xB4\xA5", SgfJudgement::Wrong, false, false},
    {"\xCA\xA7\xB0\xDC", SgfJudgement::Wrong, false, false},
    {"\x8E\xB8\x94\x73", SgfJudgement::Wrong, false, false},
    {"correct", SgfJudgement::Correct, true, true},
    {"RIGHT", SgfJudgement::Correct, true, false},
    {"wrong", SgfJudgement::Wrong, true, true},
    {"incorrect", SgfJudgement::Wrong, true, true},
    {"failure", SgfJudgement::Wrong, true, true},
};

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char lowerOf(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The first place `w` stands in `text`, or npos.
std::size_t findMark(std::string_view text, const MarkWord& w) {
    const std::size_t n = w.bytes.size();
    for (std::size_t at = 0; at + n <= text.size(); ++at) {
        std::size_t k = 0;
        while (k < n && (w.anyCase ? lowerOf(text[at + k]) == w.bytes[k] : text[at + k] == w.bytes[k])) ++k;
        if (k < n) continue;
        if (w.word && ((at > 0 && isLetter(text[at - 1])) || (at + n < text.size() && isLetter(text[at + n])))) continue;
        return at;
    }
    return std::string_view::npos;
}

void appendNode(std::string& out, const SgfTreeNode& n) {
    out += "\n;";
    if (n.move.colour == Black || n.move.colour == White) {
        out += n.move.colour == Black ? "B[" : "W[";
        if (n.move.x != 0) {
            out += static_cast<char>('a' + n.move.x - 1);
            out += static_cast<char>('a' + n.move.y - 1);
        }
        out += ']';
    }
    if (n.mark == SgfJudgement::Correct) out += "TE[1]";
    if (n.mark == SgfJudgement::Wrong) out += "BM[1]";
    if (!n.comment.empty()) {
        out += "C[";
        out += SgfEscaped(SgfValidUtf8(n.comment));
        out += ']';
    }
}

}  // namespace

SgfJudgement SgfCommentMark(std::string_view bytes) {
    std::size_t first = std::string_view::npos;
    SgfJudgement mark = SgfJudgement::Unknown;
    for (const MarkWord& w : MarkWords) {
        const std::size_t at = findMark(bytes, w);
        if (at < first) first = at, mark = w.judgement;
    }
    return mark;
}

bool SgfCommentIsVariation(std::string_view bytes) {
    return bytes.find("\xE5\x8F\x98\xE5\x8C\x96") != std::string_view::npos ||
           bytes.find("\xB1\xE4\xBB\xAF") != std::string_view::npos;
}

void JudgeVariations(SgfTree& tree, const std::vector<int>& variations, bool firstLineCorrect, std::uint8_t firstPlayer) {
    if (variations.empty()) return;
    auto& nodes = tree.nodes;
    // Each node's variation: its first move, the node below the nearest
    // branching above it (parents stand before their children).
    std::vector<int> firstOf(nodes.size(), 0);
    for (std::size_t i = 1; i < nodes.size(); ++i) {
        const int parent = nodes[i].parent;
        const bool branch = parent == 0 || nodes[static_cast<std::size_t>(parent)].children.size() > 1;
        firstOf[i] = branch ? static_cast<int>(i) : firstOf[static_cast<std::size_t>(parent)];
    }
    std::vector<int> judged;
    for (const int v : variations) {
        SgfTreeNode& n = nodes[static_cast<std::size_t>(v)];
        if (n.mark != SgfJudgement::Unknown || v == 0) continue;
        const SgfTreeNode& f = nodes[static_cast<std::size_t>(firstOf[static_cast<std::size_t>(v)])];
        // A line with no other line beside it leaves nothing.
        if (nodes[static_cast<std::size_t>(f.parent)].children.size() < 2) continue;
        SgfJudgement j = SgfJudgement::Unknown;
        if (f.move.colour == firstPlayer) {
            j = SgfJudgement::Wrong;
        } else if (f.parent >= 0 && nodes[static_cast<std::size_t>(f.parent)].judgement == SgfJudgement::Correct) {
            j = SgfJudgement::Correct;
        }
        if (j == SgfJudgement::Unknown) continue;
        judged.push_back(v);
        n.mark = j;
    }
    if (judged.empty()) return;
    ResolveJudgements(tree, firstLineCorrect);
    // The judgement stays; the mark was the comment's word read in its place
    // in the tree, not a mark of the node's own, and is not written back.
    for (const int v : judged) nodes[static_cast<std::size_t>(v)].mark = SgfJudgement::Unknown;
}

void ResolveJudgements(SgfTree& tree, bool firstLineCorrect) {
    auto& nodes = tree.nodes;
    nodes[0].mark = SgfJudgement::Unknown;
    // Children stand after their parents: from the back, each node sees its
    // children's judgements from below.
    for (std::size_t i = nodes.size(); i-- > 0;) {
        SgfTreeNode& n = nodes[i];
        if (n.mark != SgfJudgement::Unknown) {
            n.judgement = n.mark;
            continue;
        }
        bool anyCorrect = false, allWrong = !n.children.empty();
        for (const int c : n.children) {
            const SgfJudgement j = nodes[static_cast<std::size_t>(c)].judgement;
            anyCorrect = anyCorrect || j == SgfJudgement::Correct;
            allWrong = allWrong && j == SgfJudgement::Wrong;
        }
        n.judgement = anyCorrect ? SgfJudgement::Correct : allWrong ? SgfJudgement::Wrong : SgfJudgement::Unknown;
    }
    // From the front: a node still unknown takes the mark of the nearest
    // marked node above it.
    std::vector<SgfJudgement> above(nodes.size(), SgfJudgement::Unknown);
    for (std::size_t i = 1; i < nodes.size(); ++i) {
        SgfTreeNode& n = nodes[i];
        const SgfJudgement inherited = above[static_cast<std::size_t>(n.parent)];
        above[i] = n.mark != SgfJudgement::Unknown ? n.mark : inherited;
        if (n.judgement == SgfJudgement::Unknown) n.judgement = inherited;
    }
    if (!firstLineCorrect) return;
    for (std::size_t i = 0;;) {
        nodes[i].judgement = SgfJudgement::Correct;
        if (nodes[i].children.empty()) break;
        i = static_cast<std::size_t>(nodes[i].children[0]);
    }
}

std::string SgfTreeListing(const SgfTree& tree) {
    std::string out;
    std::vector<std::pair<int, int>> stack{{0, 0}};  // node, depth
    while (!stack.empty()) {
        const auto [index, depth] = stack.back();
        stack.pop_back();
        const SgfTreeNode& n = tree.nodes[static_cast<std::size_t>(index)];
        out.append(static_cast<std::size_t>(2 * std::min(depth, SgfListingMaxIndent)), ' ');
        if (n.move.colour == Black || n.move.colour == White) {
            out += n.move.colour == Black ? "B " : "W ";
            out += n.move.x == 0 ? std::string("pass") : std::to_string(n.move.x) + "," + std::to_string(n.move.y);
        } else {
            out += "start";
        }
        out += ' ';
        out += SgfJudgementToken(n.judgement);
        const std::string_view line = std::string_view(n.comment).substr(0, n.comment.find('\n'));
        if (!line.empty()) {
            out += ' ';
            out += line;
        }
        out += '\n';
        for (auto c = n.children.rbegin(); c != n.children.rend(); ++c) stack.emplace_back(*c, depth + 1);
    }
    return out;
}

std::string SgfTreeText(const Board& start, const SgfTree& tree, std::string_view rootComment) {
    // The root as the record writer writes it, without its closing ")\n".
    std::string out = SgfText(start, {}, rootComment);
    out.resize(out.size() - 2);
    // Each frame: a node and how many of its children are written. A node
    // with one child continues its sequence; with several, each child opens
    // a variation "(" closed after its subtree.
    struct Frame {
        int node;
        std::size_t next;
    };
    std::vector<Frame> stack{{0, 0}};
    std::vector<bool> opened;  // per frame: this frame's node opened a "("
    opened.push_back(false);
    while (!stack.empty()) {
        Frame& f = stack.back();
        const SgfTreeNode& n = tree.nodes[static_cast<std::size_t>(f.node)];
        if (f.next == n.children.size()) {
            if (opened.back()) out += ')';
            stack.pop_back();
            opened.pop_back();
            continue;
        }
        const int child = n.children[f.next++];
        const bool branch = n.children.size() > 1;
        if (branch) out += "\n(";
        appendNode(out, tree.nodes[static_cast<std::size_t>(child)]);
        stack.push_back({child, 0});
        opened.push_back(branch);
    }
    out += ")\n";
    return out;
}

}  // namespace keldra
