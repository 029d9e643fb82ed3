#include "BAN/sgf/sgf_reader.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

#include "BAN/problem_file.h"

namespace keldra {

namespace {

// A value quoted in a message is cut short so that a hostile file cannot
// fill the message box.
std::string quoted(std::string_view value) {
    constexpr std::size_t Limit = 20;
    std::string shown;
    for (const char c : value.substr(0, Limit)) {
        const auto u = static_cast<unsigned char>(c);
        shown += (u >= 0x20 && u < 0x7F) ? c : '?';
    }
    if (value.size() > Limit) shown += "…";
    return shown;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isLower(char c) { return c >= 'a' && c <= 'z'; }
bool isLetter(char c) { return isUpper(c) || isLower(c); }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// A whole number 1..19, nothing else.
int sideOf(std::string_view s) {
    s = trimmed(s);
    if (s.empty() || s.size() > 2) return 0;
    int v = 0;
    for (const char c : s) {
        if (c < '0' || c > '9') return 0;
        v = v * 10 + (c - '0');
    }
    return (v >= 1 && v <= SgfMaxSide) ? v : 0;
}

// Letters a..z address 26 lines; a board has at most 19, the rest is off it.
constexpr int LetterLines = 26;

// The properties of one node that a problem needs. Setup points are applied
// to a grid of their own as they are read, in the order written, so a node
// of any number of points takes fixed memory; the board size they must fit
// is known only when the node ends.
struct NodeProps {
    std::array<std::array<std::uint8_t, LetterLines>, LetterLines> setup;  // 255 untouched
    bool hasSetup = false;
    int maxX = 0, maxY = 0;               // the largest coordinates set
    std::string maxXValue, maxYValue;     // the values that set them, for the message
    bool hasMove = false;
    std::uint8_t moveColour = 0;
    std::string move;
    bool hasPL = false, hasSZ = false, hasCA = false, hasGM = false, hasC = false;
    std::string PL, SZ, CA, GM, C;
    std::vector<std::pair<std::uint8_t, std::uint8_t>> marks;  // MA, TR and SQ points, 1-based
    bool any = false;         // a property was read
    bool otherSetup = false;  // AB, AW or AE in a node off the main line
    SgfJudgement mark = SgfJudgement::Unknown;  // TE (correct) or BM (wrong)

    NodeProps() {
        for (auto& col : setup) col.fill(255);
    }
    void clear() {
        if (hasSetup) {
            for (auto& col : setup) col.fill(255);
        }
        hasSetup = false;
        maxX = maxY = 0;
        maxXValue.clear(), maxYValue.clear();
        hasMove = false;
        move.clear();
        hasPL = hasSZ = hasCA = hasGM = hasC = false;
        PL.clear(), SZ.clear(), CA.clear(), GM.clear(), C.clear();
        marks.clear();
        otherSetup = false;
        mark = SgfJudgement::Unknown;
        any = false;
    }
};

class Parser {
public:
    Parser(std::string_view bytes, int want) : b_(bytes), want_(want) {}

    SgfLoad run() {
        if (b_.substr(0, 3) == "\xEF\xBB\xBF") i_ = 3;  // a byte-order mark
        while (!failed_) {
            skipBlanks();
            if (i_ >= b_.size()) break;
            const char c = b_[i_];
            if (c == '(') {
                openTree();
            } else if (c == ')') {
                closeTree();
            } else if (c == ';') {
                openNode();
            } else if (isUpper(c) || isLower(c)) {
                property();
            } else {
                syntaxError();
            }
        }
        if (!failed_ && depth_ != 0) syntaxError();  // a game tree left open
        if (!failed_ && trees_ == 0) fail(Tr(SgfEmptyMessage));
        if (!failed_ && !taken_) fail(SgfNoTreeMessage(want_, trees_));
        if (!failed_) {
            ResolveJudgements(result_.game.tree, !fileMarked_);
            // The colour that plays first, as fitting decides it.
            const SgfGame& g = result_.game;
            const std::uint8_t firstPlayer = g.toPlay == 2 || (g.toPlay == 0 && !g.moves.empty() && g.moves.front().colour == 2) ? 2 : 1;
            JudgeVariations(result_.game.tree, variations_, !fileMarked_, firstPlayer);
        }
        result_.trees = trees_;
        result_.ok = !failed_;
        if (failed_) result_.game = SgfGame{};
        return std::move(result_);
    }

private:
    enum class Expect { FirstNode, NodesOrTrees, TreesOnly };
    enum class Phase { Setup, Moves, Done };

    void fail(std::string message) {
        if (failed_) return;
        failed_ = true;
        result_.error = std::move(message);
    }
    void syntaxError() {
        long line = 1;
        const std::size_t end = std::min(i_, b_.size());
        for (std::size_t k = 0; k < end; ++k) {
            if (b_[k] == '\n' || (b_[k] == '\r' && (k + 1 >= b_.size() || b_[k + 1] != '\n'))) ++line;
        }
        fail(SgfSyntaxMessage(line));
    }

    void skipBlanks() {
        while (i_ < b_.size() && isBlank(b_[i_])) ++i_;
    }

    bool selected() const { return want_ < 0 || tree_ == want_; }

    void openTree() {
        ++i_;
        if (depth_ == 0) {
            tree_ = trees_++;
            mainDepth_ = 1;
            mainHadChild_ = false;
            nodeInMain_ = 0;
            phase_ = Phase::Setup;
            nodeInTree_ = 0;
            cur_ = NoNode;
            branches_.clear();
            if (selected()) variations_.clear();
            if (selected()) {
                result_.game = SgfGame{};
                result_.tree = tree_;
                taken_ = true;
            }
        } else {
            if (expect_ == Expect::FirstNode) return syntaxError();  // a tree holds a node before its variations
            endNode();
            if (depth_ == mainDepth_ && !mainHadChild_) {
                mainDepth_ = depth_ + 1;  // the first variation continues the main line
                mainHadChild_ = false;
            }
            if (selected()) pushBranch(cur_);
        }
        ++depth_;
        expect_ = Expect::FirstNode;
    }

    void closeTree() {
        if (depth_ == 0 || (expect_ == Expect::FirstNode && depth_ == 1)) {
            ++i_;
            return syntaxError();
        }
        ++i_;
        endNode();
        if (expect_ == Expect::FirstNode) {
            // An empty variation "()" adds nothing; when it stood first, the
            // next variation continues the main line.
            if (depth_ == mainDepth_) {
                --mainDepth_;
                mainHadChild_ = false;
            }
        } else if (depth_ == mainDepth_) {
            --mainDepth_;
            mainHadChild_ = true;
        }
        if (depth_ > 1 && selected()) cur_ = popBranch();
        --depth_;
        expect_ = Expect::TreesOnly;
    }

    // A node opens at ';', or (`implicit`) at a property right after "(".
    void openNode(bool implicit = false) {
        if (depth_ == 0 || expect_ == Expect::TreesOnly) return syntaxError();
        if (!implicit) ++i_;
        endNode();
        nodeOpen_ = true;
        keep_ = selected() && depth_ == mainDepth_ && phase_ != Phase::Done;
        inTree_ = selected();
        expect_ = Expect::NodesOrTrees;
    }

    // The open variations of the taken tree: the node each one hangs from,
    // stored as runs so that a long row of variations under dropped nodes
    // takes no memory.
    void pushBranch(int node) {
        if (!branches_.empty() && branches_.back().first == node) {
            ++branches_.back().second;
        } else {
            branches_.emplace_back(node, 1);
        }
    }
    int popBranch() {
        if (branches_.empty()) return Dropped;
        const int node = branches_.back().first;
        if (--branches_.back().second == 0) branches_.pop_back();
        return node;
    }

    // Reads one property: its identifier and one or more values.
    void property() {
        if (!nodeOpen_) {
            // "(" followed by properties: a node whose ';' is missing
            if (depth_ > 0 && expect_ == Expect::FirstNode) openNode(true);
            if (!nodeOpen_) return syntaxError();  // a property outside a node
        }
        constexpr std::size_t MaxIdentifier = 64;
        std::string name;
        std::size_t letters = 0;
        while (i_ < b_.size() && (isUpper(b_[i_]) || isLower(b_[i_]))) {
            if (isUpper(b_[i_])) name += b_[i_];  // long FF[3] names: only the capitals count
            if (++letters > MaxIdentifier) return syntaxError();
            ++i_;
        }
        if (name.empty()) return syntaxError();
        props_.any = true;
        skipBlanks();
        if (i_ >= b_.size() || b_[i_] != '[') return syntaxError();
        std::string* single = nullptr;
        std::uint8_t setupCode = 255;
        std::string pointValue;
        bool* flag = nullptr;
        bool markList = false;
        // A property repeated in one node: the comments are joined, line by
        // line; of the others the first counts.
        bool join = false;
        if (keep_) {
            if (name == "MA" || name == "TR" || name == "SQ") markList = true;
            else if (name == "AB") setupCode = 1;
            else if (name == "AW") setupCode = 2;
            else if (name == "AE") setupCode = 0;
            else if (name == "PL") single = &props_.PL, flag = &props_.hasPL;
            else if (name == "SZ") single = &props_.SZ, flag = &props_.hasSZ;
            else if (name == "CA") single = &props_.CA, flag = &props_.hasCA;
            else if (name == "GM") single = &props_.GM, flag = &props_.hasGM;
        } else if (inTree_ && (name == "AB" || name == "AW" || name == "AE")) {
            props_.otherSetup = true;
        }
        if (inTree_ && (name == "B" || name == "W") && !props_.hasMove) {
            props_.hasMove = true;
            props_.moveColour = name == "B" ? 1 : 2;
            single = &props_.move;
        }
        // Marks are read in every node until one is found: a collection that
        // marks no node at all is judged differently.
        if (inTree_ || !fileMarked_) {
            if (name == "C") {
                join = props_.hasC;
                single = &props_.C, flag = &props_.hasC;
            } else if (name == "TE" && props_.mark == SgfJudgement::Unknown) {
                props_.mark = SgfJudgement::Correct;
            } else if (name == "BM" && props_.mark == SgfJudgement::Unknown) {
                props_.mark = SgfJudgement::Wrong;
            }
        }
        if (flag && *flag && !join) single = nullptr;
        if (flag) *flag = true;
        bool first = true;
        while (i_ < b_.size() && b_[i_] == '[') {
            std::string* into = nullptr;
            if (setupCode != 255 || markList) {
                pointValue.clear();
                into = &pointValue;
            } else if (single && first) {
                if (join) {
                    *single += '\n';
                } else {
                    single->clear();
                }
                into = single;
            }
            const std::size_t opened = i_;
            if (!value(into)) {
                i_ = opened;  // the message names the line of the unclosed bracket
                return syntaxError();
            }
            if (setupCode != 255) {
                addSetup(setupCode, pointValue);
                if (failed_) return;
            }
            if (markList) addMarks(pointValue);
            first = false;
            skipBlanks();
        }
    }

    // Reads "[...]" from i_: an escaped character stands for itself, an
    // escaped line end (a soft line break) is dropped. False when unclosed.
    bool value(std::string* into) {
        ++i_;
        while (i_ < b_.size()) {
            const char c = b_[i_++];
            if (c == ']') return true;
            if (c == '\\') {
                if (i_ >= b_.size()) break;
                const char d = b_[i_++];
                if (d == '\r' || d == '\n') {
                    if (i_ < b_.size() && (b_[i_] == '\r' || b_[i_] == '\n') && b_[i_] != d) ++i_;
                    continue;
                }
                if (into) *into += d;
                continue;
            }
            if (into) *into += c;
        }
        i_ = b_.size();
        return false;
    }

    // One point "xy", 1-based; false when it is not a point of a board up to 26 lines.
    static bool letters(std::string_view s, int& x, int& y) {
        if (s.size() != 2 || !isLower(s[0]) || !isLower(s[1])) return false;
        x = s[0] - 'a' + 1;
        y = s[1] - 'a' + 1;
        return true;
    }

    // A point or a rectangle "xy:xy" of an AB, AW or AE list, set in the
    // node's own grid at once.
    void addSetup(std::uint8_t code, const std::string& raw) {
        const std::string_view v = trimmed(raw);
        if (v.empty()) return;  // an empty list adds nothing
        const auto colon = v.find(':');
        int x1, y1, x2, y2;
        if (colon == std::string_view::npos) {
            if (!letters(v, x1, y1)) return fail(SgfOffBoardMessage(raw));
            x2 = x1, y2 = y1;
        } else if (!letters(v.substr(0, colon), x1, y1) || !letters(v.substr(colon + 1), x2, y2)) {
            return fail(SgfOffBoardMessage(raw));
        }
        props_.hasSetup = true;
        if (std::max(x1, x2) > props_.maxX) props_.maxX = std::max(x1, x2), props_.maxXValue = raw;
        if (std::max(y1, y2) > props_.maxY) props_.maxY = std::max(y1, y2), props_.maxYValue = raw;
        for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) {
            for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) {
                props_.setup[static_cast<std::size_t>(x - 1)][static_cast<std::size_t>(y - 1)] = code;
            }
        }
    }

    // A point or a rectangle "xy:xy" of an MA, TR or SQ list; a value that
    // is no point marks nothing.
    void addMarks(const std::string& raw) {
        const std::string_view v = trimmed(raw);
        const auto colon = v.find(':');
        int x1, y1, x2, y2;
        if (colon == std::string_view::npos) {
            if (!letters(v, x1, y1)) return;
            x2 = x1, y2 = y1;
        } else if (!letters(v.substr(0, colon), x1, y1) || !letters(v.substr(colon + 1), x2, y2)) {
            return;
        }
        for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) {
            for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) {
                if (props_.marks.size() >= LetterLines * LetterLines) return;
                props_.marks.emplace_back(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y));
            }
        }
    }

    // The node's setup on the position, once the board size is known.
    void applySetup() {
        if (!props_.hasSetup) return;
        SgfGame& g = result_.game;
        if (props_.maxX > g.width) return fail(SgfOffBoardMessage(props_.maxXValue));
        if (props_.maxY > g.height) return fail(SgfOffBoardMessage(props_.maxYValue));
        for (int x = 0; x < g.width; ++x) {
            for (int y = 0; y < g.height; ++y) {
                const std::uint8_t c = props_.setup[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
                if (c != 255) g.setup[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] = c;
            }
        }
    }

    // The node's move on the taken tree's board: a point, or a pass for an
    // empty value or a point off the board (a tenuki; "tt" is one on every
    // board up to 19 lines). Capitals address lines 27 to 52, all of them off
    // the board. False when the value is not a point at all.
    bool nodeMove(SgfMove& m) const {
        m = SgfMove{props_.moveColour, 0, 0};
        const std::string_view v = trimmed(props_.move);
        if (v.empty()) return true;
        if (v.size() != 2 || !isLetter(v[0]) || !isLetter(v[1])) return false;
        const auto line = [](char c) { return isLower(c) ? c - 'a' + 1 : c - 'A' + LetterLines + 1; };
        const int x = line(v[0]), y = line(v[1]);
        if (x <= result_.game.width && y <= result_.game.height) {
            m.x = static_cast<std::uint8_t>(x);
            m.y = static_cast<std::uint8_t>(y);
        }
        return true;
    }

    void addMove() {
        SgfMove m;
        if (!nodeMove(m)) return fail(SgfOffBoardMessage(props_.move));
        SgfGame& g = result_.game;
        if (g.moves.size() < SgfMaxMoves) g.moves.push_back(m);
    }

    // Takes what the node that just ended says about the position and the
    // game tree.
    void endNode() {
        if (!nodeOpen_) return;
        nodeOpen_ = false;
        if (!props_.any && nodeInTree_ > 0) {  // an empty node changes nothing
            if (keep_) ++nodeInMain_;
            keep_ = inTree_ = false;
            return;
        }
        const bool rootPart = keep_ && phase_ == Phase::Setup;  // the root or a setup node before any move
        if (keep_) {
            mainNode();
            if (failed_) return;
        }
        if (inTree_) {
            treeNode(rootPart);
        } else if (!fileMarked_ && nodeInTree_++ > 0 && nodeMark() != SgfJudgement::Unknown) {
            fileMarked_ = true;
        }
        keep_ = inTree_ = false;
        if (props_.any) props_.clear();
    }

    SgfJudgement nodeMark() const {
        if (props_.mark != SgfJudgement::Unknown) return props_.mark;
        return props_.hasC ? SgfCommentMark(props_.C) : SgfJudgement::Unknown;
    }

    // A comment for the tree, within the tree's budget of comment bytes.
    std::string treeComment() {
        if (!props_.hasC) return {};
        std::string text = commentText(props_.C);
        if (treeCommentBytes_ + text.size() > SgfMaxTreeCommentBytes) {
            result_.game.treeCut = true;
            return {};
        }
        treeCommentBytes_ += text.size();
        return text;
    }

    // The node that just ended, in the taken tree.
    void treeNode(bool rootPart) {
        SgfTree& t = result_.game.tree;
        const bool first = nodeInTree_++ == 0;
        // Only the marks the tree keeps count as the file's marks, so that the
        // tree written out judges the same when read again.
        const SgfJudgement mark = first ? SgfJudgement::Unknown : nodeMark();
        if (first) {
            treeCommentBytes_ = 0;
            t.nodes[0].comment = treeComment();
            cur_ = 0;
        }
        if (cur_ < 0) return;
        if ((props_.hasSetup || props_.otherSetup) && !rootPart) {
            cur_ = Dropped;  // stones set up amid the moves: the line is not followed
            return;
        }
        if (props_.hasMove) {
            SgfMove m;
            if (!nodeMove(m)) {
                cur_ = Dropped;
                return;
            }
            if (t.nodes.size() >= SgfMaxTreeNodes) {
                result_.game.treeCut = true;
                cur_ = Dropped;
                return;
            }
            cur_ = t.add(cur_, m, first ? std::string() : treeComment(), mark);
            if (mark != SgfJudgement::Unknown) fileMarked_ = true;
            if (mark == SgfJudgement::Unknown && props_.hasC && SgfCommentIsVariation(props_.C)) variations_.push_back(cur_);
            return;
        }
        if (first || rootPart || cur_ == 0) return;
        // A node without a move: its comment and mark belong to the move above.
        SgfTreeNode& n = t.nodes[static_cast<std::size_t>(cur_)];
        if (n.mark == SgfJudgement::Unknown && mark != SgfJudgement::Unknown) {
            n.mark = n.judgement = mark;
            fileMarked_ = true;
        }
        if (n.mark == SgfJudgement::Unknown && props_.hasC && SgfCommentIsVariation(props_.C)) variations_.push_back(cur_);
        std::string text = treeComment();
        if (text.empty()) return;
        if (n.comment.size() + text.size() + 1 >= SgfMaxCommentBytes) {
            result_.game.treeCut = true;  // a joined comment stays within one comment's size
            return;
        }
        if (!n.comment.empty()) n.comment += '\n';
        n.comment += text;
    }

    // The node that just ended, on the taken tree's main line.
    void mainNode() {
        SgfGame& g = result_.game;
        if (nodeInMain_++ == 0) {  // the root node
            if (props_.hasGM && trimmed(props_.GM) != "1") return fail(Tr(SgfNotGoMessage));
            if (props_.hasSZ) {
                const std::string_view sz = props_.SZ;
                const auto colon = sz.find(':');
                const int w = sideOf(sz.substr(0, colon));
                const int h = colon == std::string_view::npos ? w : sideOf(sz.substr(colon + 1));
                if (w == 0 || h == 0) return fail(SgfBoardSizeMessage(props_.SZ));
                g.width = w;
                g.height = h;
            }
            if (props_.hasCA) g.charset = std::string(trimmed(props_.CA));
            if (props_.hasC) g.comment = commentText(props_.C);
        }
        const bool setup = props_.hasSetup || props_.hasPL;
        if (phase_ == Phase::Setup) {
            applySetup();
            if (failed_) return;
            for (const auto& [x, y] : props_.marks)
                if (x <= g.width && y <= g.height && g.marks.size() < SgfMaxMoves) g.marks.emplace_back(x, y);
            if (props_.hasPL) {
                const std::string_view pl = trimmed(props_.PL);
                g.toPlay = (pl == "B" || pl == "b") ? 1 : (pl == "W" || pl == "w") ? 2 : g.toPlay;
            }
            if (props_.hasMove) {
                phase_ = Phase::Moves;
                addMove();
            }
        } else if (phase_ == Phase::Moves) {
            if (setup) {
                phase_ = Phase::Done;  // setup amid the moves: the line ends here
            } else if (props_.hasMove) {
                addMove();
            }
        }
    }

    // Line ends become '\n'; a comment longer than the limit is cut at a line end.
    static std::string commentText(std::string_view raw) {
        std::string out;
        out.reserve(std::min(raw.size(), SgfMaxCommentBytes));
        for (std::size_t k = 0; k < raw.size(); ++k) {
            const char c = raw[k];
            if (c == '\r' || c == '\n') {
                if (k + 1 < raw.size() && (raw[k + 1] == '\r' || raw[k + 1] == '\n') && raw[k + 1] != c) ++k;
                out += '\n';
            } else {
                out += (c == '\t' || c == '\v' || c == '\f') ? ' ' : c;
            }
            if (out.size() >= SgfMaxCommentBytes) {
                const auto nl = out.rfind('\n');
                if (nl != std::string::npos) {
                    out.resize(nl);
                } else {
                    while (!out.empty() && (static_cast<unsigned char>(out.back()) & 0xC0) == 0x80) out.pop_back();
                    if (!out.empty() && static_cast<unsigned char>(out.back()) >= 0xC0) out.pop_back();
                }
                break;
            }
        }
        return out;
    }

    std::string_view b_;
    int want_;
    std::size_t i_ = 0;
    bool failed_ = false;
    SgfLoad result_;

    long depth_ = 0;       // open game trees
    long mainDepth_ = 0;   // depth of the deepest open tree on the main line
    bool mainHadChild_ = false;  // that tree's first variation is already closed
    Expect expect_ = Expect::FirstNode;
    int trees_ = 0;
    int tree_ = -1;
    bool taken_ = false;
    bool nodeOpen_ = false;
    bool keep_ = false;    // the open node is on the taken tree's main line
    bool inTree_ = false;  // the open node is in the taken tree
    bool fileMarked_ = false;  // a node of the file (other than a root) carries a mark
    long nodeInTree_ = 0;      // nodes of the current game tree so far
    static constexpr int NoNode = -1, Dropped = -2;
    int cur_ = NoNode;         // the tree node the next move hangs from, or Dropped
    std::vector<std::pair<int, long>> branches_;
    std::size_t treeCommentBytes_ = 0;
    std::vector<int> variations_;  // tree nodes whose comments say 变化, unmarked
    long nodeInMain_ = 0;
    Phase phase_ = Phase::Setup;
    NodeProps props_;
};

}  // namespace

std::string SgfSyntaxMessage(long line) {
    return Fill(Tr("SGF の書式が正しくありません（%1 行目）"), {std::to_string(line)});
}
std::string SgfTooLargeMessage(std::string_view name) { return Fill(Tr("ﾌｧｲﾙ %1 は大きすぎます"), {name}); }
std::string SgfBoardSizeMessage(std::string_view value) {
    return Fill(Tr("盤の大きさ SZ[%1] には対応していません"), {quoted(value)});
}
std::string SgfOffBoardMessage(std::string_view value) {
    return Fill(Tr("座標 [%1] は盤の上にありません"), {quoted(value)});
}
std::string SgfNoTreeMessage(int tree, int trees) {
    return Fill(Tr("ゲームツリー %1 はありません（全 %2）"), {std::to_string(tree + 1), std::to_string(trees)});
}

SgfLoad ParseSgf(std::string_view bytes, int tree) { return Parser(bytes, tree).run(); }

SgfLoad ReadSgfFile(const std::string& path, int tree) {
    SgfLoad failed;
    failed.error = CannotOpenMessage(path);
    std::uint64_t size = 0;
    const int fd = OpenRegularFile(path, &size);
    if (fd < 0) return failed;
    if (size > SgfMaxFileBytes) {
        ::close(fd);
        failed.error = SgfTooLargeMessage(path);
        return failed;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size));
    char buf[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buf, sizeof buf);
        if (got < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return failed;
        }
        if (got == 0) break;
        bytes.append(buf, static_cast<std::size_t>(got));
        if (bytes.size() > SgfMaxFileBytes) {  // the file grew while it was read
            ::close(fd);
            failed.error = SgfTooLargeMessage(path);
            return failed;
        }
    }
    ::close(fd);
    return ParseSgf(bytes, tree);
}

bool IsValidUtf8(std::string_view bytes) {
    std::size_t k = 0;
    while (k < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[k]);
        if (c < 0x80) {
            ++k;
            continue;
        }
        int more;
        std::uint32_t cp;
        if (c >= 0xC2 && c <= 0xDF) more = 1, cp = c & 0x1F;
        else if (c >= 0xE0 && c <= 0xEF) more = 2, cp = c & 0x0F;
        else if (c >= 0xF0 && c <= 0xF4) more = 3, cp = c & 0x07;
        else return false;
        if (k + static_cast<std::size_t>(more) >= bytes.size()) return false;
        for (int j = 1; j <= more; ++j) {
            const auto d = static_cast<unsigned char>(bytes[k + static_cast<std::size_t>(j)]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if ((more == 2 && cp < 0x800) || (more == 3 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        k += static_cast<std::size_t>(more) + 1;
    }
    return true;
}

std::optional<std::string> TextAsUtf8(std::string_view charset, const std::string& bytes, const CharsetDecoder& decode) {
    if (bytes.empty()) return std::nullopt;
    if (!charset.empty() && !IsUtf8CharsetName(charset) && decode) {
        auto text = decode(charset, bytes);
        if (text && IsValidUtf8(*text)) return text;
    }
    if (IsValidUtf8(bytes)) return bytes;
    return std::nullopt;
}

std::optional<std::string> CommentAsUtf8(const SgfGame& game, const CharsetDecoder& decode) {
    return TextAsUtf8(game.charset, game.comment, decode);
}

bool IsUtf8CharsetName(std::string_view name) {
    std::string lower;
    for (const char c : trimmed(name)) {
        if (c != '-' && c != '_') lower += static_cast<char>(isUpper(c) ? c - 'A' + 'a' : c);
    }
    return lower == "utf8";
}

}  // namespace keldra
