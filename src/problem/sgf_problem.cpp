// SGF problems: the reader of the main line's set-up and the writer.
#include "problem/sgf_problem.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "problem/problem.h"
#include "search/solve.h"

namespace {

// Point index of a two-letter point, or 0 when it is not on the 19x19 board.
int32_t pointOf(std::string_view value) {
    if (value.size() != 2 || value[0] < 'a' || value[0] > 's' || value[1] < 'a' || value[1] > 's') {
        return 0;
    }
    return pointAt(value[0] - 'a' + 1, value[1] - 'a' + 1);
}

// A value for a message: printable ASCII kept, other bytes as '?', long ones cut.
std::string shown(std::string_view value) {
    std::string text;
    for (const char c : value.substr(0, 24)) {
        const unsigned char u = static_cast<unsigned char>(c);
        text += (u >= 0x20 && u < 0x7F) ? c : '?';
    }
    return value.size() > 24 ? text + "..." : text;
}

std::string trimmed(std::string_view value) {
    size_t begin = 0;
    size_t end = value.size();
    while (begin < end && (value[begin] == ' ' || value[begin] == '\t' || value[begin] == '\n' ||
                           value[begin] == '\r')) {
        ++begin;
    }
    while (end > begin && (value[end - 1] == ' ' || value[end - 1] == '\t' ||
                           value[end - 1] == '\n' || value[end - 1] == '\r')) {
        --end;
    }
    return std::string(value.substr(begin, end - begin));
}

std::string onLine(int32_t line) {
    return " on line " + std::to_string(line);
}

// Expands one value of a point list, "cd" or the rectangle "aa:cd", onto the
// end of points. False when a point is off the board.
bool expandPoints(std::string_view value, std::vector<int32_t>& points) {
    std::string_view from;
    std::string_view to;
    if (!SgfSplitCompose(value, from, to)) {
        const int32_t p = pointOf(value);
        if (p == 0) {
            return false;
        }
        points.push_back(p);
        return true;
    }
    const int32_t a = pointOf(from);
    const int32_t b = pointOf(to);
    if (a == 0 || b == 0) {
        return false;
    }
    // Any two opposite corners, not only top left and bottom right.
    const int32_t x0 = std::min(pointX(a), pointX(b));
    const int32_t x1 = std::max(pointX(a), pointX(b));
    const int32_t y0 = std::min(pointY(a), pointY(b));
    const int32_t y1 = std::max(pointY(a), pointY(b));
    for (int32_t y = y0; y <= y1; ++y) {
        for (int32_t x = x0; x <= x1; ++x) {
            points.push_back(pointAt(x, y));
        }
    }
    return true;
}

// The points of a list property, empty values skipped. False with a message
// when a point is off the board.
bool listPoints(const SgfProperty& property, std::vector<int32_t>& points,
                std::string& message) {
    for (const std::string& value : property.values) {
        if (value.empty()) {
            continue;
        }
        if (!expandPoints(value, points)) {
            message = property.id + "[" + shown(value) + "]" + onLine(property.line) +
                      ": the point is off the 19x19 board";
            return false;
        }
    }
    return true;
}

int32_t colourOfMove(const SgfNode& node) {
    for (const SgfProperty& property : node.properties) {
        if (property.id == "B") {
            return kBlack;
        }
        if (property.id == "W") {
            return kWhite;
        }
    }
    return 0;
}

// The point of the node's move, 0 for a pass or a point off the board.
int32_t pointOfMove(const SgfNode& node) {
    for (const SgfProperty& property : node.properties) {
        if ((property.id == "B" || property.id == "W") && !property.values.empty()) {
            return pointOf(property.values[0]);
        }
    }
    return 0;
}

bool commentSaysCorrect(const SgfNode& node) {
    for (const std::string_view comment : SgfValues(node, "C")) {
        const std::string text = SgfUnescape(comment);
        if (text.find("Correct") != std::string::npos || text.find("RIGHT") != std::string::npos) {
            return true;
        }
    }
    return false;
}

// A first move is marked correct by TE[1] or TE[2] on it, or by a comment
// saying so anywhere in its variation.
bool lineMarkedCorrect(const SgfTree& tree, int32_t first) {
    for (const std::string_view value : SgfValues(tree.nodes[first], "TE")) {
        const std::string te = trimmed(value);
        if (te == "1" || te == "2") {
            return true;
        }
    }
    std::vector<int32_t> pending{first};
    while (!pending.empty()) {
        const int32_t n = pending.back();
        pending.pop_back();
        if (commentSaysCorrect(tree.nodes[n])) {
            return true;
        }
        pending.insert(pending.end(), tree.nodes[n].children.begin(), tree.nodes[n].children.end());
    }
    return false;
}

// Marks every stone of the string through p with id in strings.
void labelString(const Board& board, int32_t p, int32_t id, std::array<int32_t, kBoardCells>& strings) {
    const uint8_t colour = board[p];
    std::array<int32_t, kBoardCells> pending;
    int32_t count = 0;
    pending[count++] = p;
    strings[p] = id;
    while (count > 0) {
        const int32_t q = pending[--count];
        for (const int32_t offset : orthogonalOffsets) {
            const int32_t r = q + offset;
            if (board[r] == colour && strings[r] == 0) {
                strings[r] = id;
                pending[count++] = r;
            }
        }
    }
}

// The target from the marks: the first kind that marks a stone decides.
void chooseTarget(SgfProblem& problem, const std::array<std::vector<int32_t>, 4>& marks) {
    for (const std::vector<int32_t>& marked : marks) {
        std::array<int32_t, kBoardCells> strings{};
        int32_t stringCount = 0;
        for (const int32_t p : marked) {
            const uint8_t cell = problem.board[p];
            if (cell != kBlack && cell != kWhite) {
                continue;  // a mark on an empty point says nothing about the target
            }
            if (strings[p] == 0) {
                labelString(problem.board, p, ++stringCount, strings);
                addPoint(problem.candidates, p);
            }
        }
        if (stringCount == 1) {
            problem.target = problem.candidates[0];
            problem.candidates = PointList{};
        }
        if (stringCount > 0) {
            return;
        }
    }
}

int32_t refuse(std::string& message, std::string text) {
    message = std::move(text);
    return kSgfNotAProblem;
}

std::string labelText(int32_t n) {
    if (n < 26) {
        return std::string(1, static_cast<char>('A' + n));
    }
    if (n < 52) {
        return std::string(1, static_cast<char>('a' + n - 26));
    }
    return std::to_string(n + 1);
}

std::string answerComment(const SgfAnswer& answer) {
    const int32_t count = listLength(answer.moves);
    std::string moves = count == 0   ? "no correct first move"
                        : count == 1 ? "1 correct first move"
                                     : std::to_string(count) + " correct first moves";
    switch (answer.verdict) {
        case kSolveAlive: return "生き / alive: " + moves;
        case kSolveDead: return "死に / dead: " + moves;
        case kSolveKo: return "コウ / ko: " + moves;
        default: return "読み打ち切り / cut off";
    }
}

}  // namespace

bool HasSgfExtension(std::string_view path) {
    if (path.size() < 4 || path[path.size() - 4] != '.') {
        return false;
    }
    const std::string_view extension = path.substr(path.size() - 3);
    const auto is = [](char c, char lower) { return c == lower || c == lower - 'a' + 'A'; };
    return is(extension[0], 's') && is(extension[1], 'g') && is(extension[2], 'f');
}

std::string SgfPointName(int32_t p) {
    return {static_cast<char>('a' + pointX(p) - 1), static_cast<char>('a' + pointY(p) - 1)};
}

int32_t ParseSgfProblem(std::string_view text, SgfProblem& problem, std::string& message) {
    problem = SgfProblem{};
    clearBoard(problem.board);
    SgfTree tree;
    const int32_t parsed = ParseSgf(text, tree, message);
    if (parsed != kSgfOk) {
        return parsed;
    }
    const SgfNode& root = tree.nodes[0];
    for (const std::string_view game : SgfValues(root, "GM")) {
        if (trimmed(game) != "1") {
            return refuse(message, "GM[" + shown(game) + "]: not a game of Go");
        }
    }
    for (const std::string_view size : SgfValues(root, "SZ")) {
        const std::string sz = trimmed(size);
        if (sz != "19" && sz != "19:19") {
            return refuse(message, "SZ[" + shown(size) + "]: only 19x19 problems are read");
        }
    }

    // The set-up: every node of the main line before its first move.
    std::array<std::vector<int32_t>, 4> marks;  // MA, TR, SQ, CR
    constexpr std::array<const char*, 4> kMarkIds = {"MA", "TR", "SQ", "CR"};
    int32_t lastSetup = -1;
    int32_t firstMoveNode = -1;
    for (int32_t n = 0; n >= 0;) {
        const SgfNode& node = tree.nodes[n];
        if (colourOfMove(node) != 0) {
            firstMoveNode = n;
            break;
        }
        std::array<bool, kBoardCells> setHere{};  // one node may set a point once
        for (const SgfProperty& property : node.properties) {
            const std::string& id = property.id;
            if (id == "AB" || id == "AW" || id == "AE") {
                std::vector<int32_t> points;
                if (!listPoints(property, points, message)) {
                    return kSgfNotAProblem;
                }
                const uint8_t cell = id == "AB" ? kBlack : id == "AW" ? kWhite : kEmpty;
                for (const int32_t p : points) {
                    if (setHere[p]) {
                        return refuse(message, "a stone on a stone: " + SgfPointName(p) +
                                                   " is set twice in one node, the second time" +
                                                   onLine(property.line));
                    }
                    setHere[p] = true;
                    problem.board[p] = cell;
                }
            } else if (id == "PL" && !property.values.empty()) {
                const std::string pl = trimmed(property.values[0]);
                if (pl == "B" || pl == "b" || pl == "1") {
                    problem.side = kBlack;
                } else if (pl == "W" || pl == "w" || pl == "2") {
                    problem.side = kWhite;
                } else {
                    return refuse(message, "PL[" + shown(property.values[0]) + "]" +
                                               onLine(property.line) + " is neither B nor W");
                }
            } else {
                for (size_t k = 0; k < kMarkIds.size(); ++k) {
                    if (id == kMarkIds[k] && !listPoints(property, marks[k], message)) {
                        return kSgfNotAProblem;
                    }
                }
            }
        }
        lastSetup = n;
        n = node.children.empty() ? -1 : node.children[0];
    }
    if (problem.side == 0 && firstMoveNode >= 0) {
        problem.side = colourOfMove(tree.nodes[firstMoveNode]);
    }
    chooseTarget(problem, marks);

    // The first moves the file offers, and those it marks correct.
    if (lastSetup >= 0) {
        for (const int32_t child : tree.nodes[lastSetup].children) {
            const SgfNode& node = tree.nodes[child];
            const int32_t p = pointOfMove(node);
            if (p == 0 || colourOfMove(node) != problem.side) {
                continue;
            }
            if (!listContains(problem.firstMoves, p)) {
                addPoint(problem.firstMoves, p);
            }
            if (!listContains(problem.bookMoves, p) && lineMarkedCorrect(tree, child)) {
                addPoint(problem.bookMoves, p);
            }
        }
    }
    return kSgfOk;
}

int32_t ReadSgfProblemFile(const char* path, SgfProblem& problem, std::string& message) {
    problem = SgfProblem{};
    clearBoard(problem.board);
    // Only a regular file is read: a FIFO or a device could never end.
    int32_t code = kReadOk;
    std::FILE* file = OpenRegularFile(path, code);
    if (file == nullptr) {
        message = code == kReadCannotOpen
                      ? std::string("cannot open the file: ") + std::strerror(errno)
                      : std::string(ReadFailureText(code));
        return kSgfCannotOpen;
    }
    // One byte more than the limit tells a file that is too large.
    std::string text;
    char buffer[65536];
    size_t n;
    while (text.size() <= static_cast<size_t>(kSgfMaxBytes) &&
           (n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, n);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        message = "cannot read the file";
        return kSgfCannotOpen;
    }
    return ParseSgfProblem(text, problem, message);
}

std::string SgfCandidateText(const SgfProblem& problem) {
    std::string text;
    for (int32_t i = 0; i < kListSlots && problem.candidates[i] != 0; ++i) {
        const int32_t p = problem.candidates[i];
        text += (i ? " (" : "(") + std::to_string(pointX(p)) + "," + std::to_string(pointY(p)) + ")";
    }
    return text;
}

std::string SgfProblemGap(const SgfProblem& problem) {
    if (problem.side != kBlack && problem.side != kWhite) {
        return "no side to move (neither PL nor a first move in the main line)";
    }
    if (problem.candidates[0] != 0) {
        return "the marked stones lie on several strings, any of which may be the target: " +
               SgfCandidateText(problem);
    }
    if (problem.target == 0) {
        return "no target stone: mark one with MA, TR, SQ or CR";
    }
    return "";
}

void TakeSgfProblem(const SgfProblem& problem) {
    copyBoard(problemBoard, problem.board);
    sideToMove = problem.side;
    targetPoint = problem.target;
}

std::string SgfProblemText(const Board& board, int32_t side, int32_t target,
                           const SgfAnswer* answer) {
    std::string text = "(;GM[1]FF[4]CA[UTF-8]SZ[19]AP[";
    text += kSgfApplication;
    text += "]";
    if (side == kBlack || side == kWhite) {
        text += side == kBlack ? "PL[B]" : "PL[W]";
    }
    // Z points have no SGF form: only the stones are written.
    for (const uint8_t colour : {kBlack, kWhite}) {
        bool any = false;
        for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
            if (isOnBoard(p) && colourOf(board[p]) == colour) {
                text += any ? "[" : (colour == kBlack ? "AB[" : "AW[");
                text += SgfPointName(p);
                text += ']';
                any = true;
            }
        }
    }
    if (isOnBoard(target)) {
        text += "MA[";
        text += SgfPointName(target);
        text += ']';
    }
    if (answer != nullptr) {
        const int32_t count = listLength(answer->moves);
        if (count > 0) {
            text += "LB";
            for (int32_t i = 0; i < count; ++i) {
                text += '[';
                text += SgfPointName(answer->moves[i]);
                text += ':';
                text += labelText(i);
                text += ']';
            }
        }
        text += "C[";
        text += SgfEscape(answerComment(*answer));
        text += ']';
        if (side == kBlack || side == kWhite) {
            for (int32_t i = 0; i < count; ++i) {
                text += side == kBlack ? "\n(;B[" : "\n(;W[";
                text += SgfPointName(answer->moves[i]);
                text += "]C[Correct])";
            }
        }
    }
    text += ")\n";
    return text;
}

int32_t WriteSgfProblemFile(const char* path, const SgfAnswer* answer) {
    return WriteFileReplacing(path, SgfProblemText(problemBoard, sideToMove, targetPoint, answer));
}
