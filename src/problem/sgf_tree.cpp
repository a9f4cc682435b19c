// A small FF[4] reader written to the grammar:
//   Collection = GameTree { GameTree }      GameTree = "(" Sequence { GameTree } ")"
//   Sequence   = Node { Node }              Node     = ";" { Property }
//   Property   = PropIdent PropValue { PropValue }   PropValue = "[" text "]"
// with white space allowed between tokens. The parse is iterative: a file of
// deeply nested variations cannot exhaust the stack.
#include "problem/sgf_tree.h"

#include <cstdio>

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isLower(char c) { return c >= 'a' && c <= 'z'; }

// Position in the text with its line number (LF, CR LF and a lone CR each end a line).
struct Cursor {
    std::string_view text;
    size_t at = 0;
    int32_t line = 1;

    bool done() const { return at >= text.size(); }
    char peek() const { return text[at]; }
    void advance() {
        const char c = text[at++];
        if (c == '\n' || (c == '\r' && (done() || text[at] != '\n'))) {
            ++line;
        }
    }
    void skipSpace() {
        while (!done() && isSpace(peek())) {
            advance();
        }
    }
};

std::string describe(char c) {
    char text[24];
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= 0x21 && u < 0x7F) {
        std::snprintf(text, sizeof text, "'%c'", c);
    } else {
        std::snprintf(text, sizeof text, "byte 0x%02X", u);
    }
    return text;
}

std::string onLine(int32_t line) {
    return " on line " + std::to_string(line);
}

int32_t fail(SgfTree& tree, std::string& message, int32_t code, std::string text) {
    tree.nodes.clear();
    message = std::move(text);
    return code;
}

}  // namespace

int32_t ParseSgf(std::string_view text, SgfTree& tree, std::string& message) {
    tree.nodes.clear();
    message.clear();
    if (text.size() > static_cast<size_t>(kSgfMaxBytes)) {
        return fail(tree, message, kSgfTooLarge, "the file is larger than 1 MB");
    }
    Cursor c{text};
    c.skipSpace();
    if (c.done()) {
        return fail(tree, message, kSgfEmpty, "the file is empty");
    }
    // Text before the first '(' is no part of the collection (mail headers, notes).
    while (!c.done() && c.peek() != '(') {
        c.advance();
    }
    if (c.done()) {
        return fail(tree, message, kSgfNoGameTree, "no SGF game tree: the file holds no \"(;\"");
    }

    std::vector<int32_t> hangsFrom;  // per open '(': the node its variation continues, -1 at the top
    std::vector<int32_t> openedOn;   // and the line of that '('
    int32_t last = -1;               // the node that properties and the next node attach to
    bool inNode = false;             // properties may follow
    bool expectNode = false;         // just after '(': a node must come first
    bool afterVariation = false;     // after ')': only '(' or ')' may follow
    while (true) {
        c.skipSpace();
        if (c.done()) {
            const size_t open = hangsFrom.size();
            return fail(tree, message, kSgfUnclosedTree,
                        "unbalanced brackets: " +
                            (open == 1 ? std::string("the game tree")
                                       : std::to_string(open) + " variations, the innermost") +
                            " opened" + onLine(openedOn.back()) +
                            (open == 1 ? " is" : " are") + " not closed (is the file cut short?)");
        }
        const char ch = c.peek();
        if (expectNode && ch != ';') {
            return fail(tree, message, kSgfBadSyntax,
                        "the variation opened" + onLine(openedOn.back()) +
                            " holds no node: ';' expected, found " + describe(ch) + onLine(c.line));
        }
        if (ch == '(') {
            hangsFrom.push_back(last);
            openedOn.push_back(c.line);
            c.advance();
            expectNode = true;
            inNode = false;
            afterVariation = false;
            continue;
        }
        if (ch == ';') {
            if (afterVariation) {
                return fail(tree, message, kSgfBadSyntax,
                            "a node after the variations of its sequence" + onLine(c.line));
            }
            const int32_t index = static_cast<int32_t>(tree.nodes.size());
            tree.nodes.push_back(SgfNode{{}, {}, c.line});
            if (last >= 0) {
                tree.nodes[last].children.push_back(index);
            }
            last = index;
            c.advance();
            inNode = true;
            expectNode = false;
            continue;
        }
        if (ch == ')') {
            c.advance();
            last = hangsFrom.back();
            hangsFrom.pop_back();
            openedOn.pop_back();
            if (hangsFrom.empty()) {
                return kSgfOk;  // the first game tree is complete; the rest is not read
            }
            inNode = false;
            afterVariation = true;
            continue;
        }
        if (isUpper(ch) || isLower(ch)) {
            const int32_t line = c.line;
            std::string spelled;
            SgfProperty property;
            property.line = line;
            while (!c.done() && (isUpper(c.peek()) || isLower(c.peek()))) {
                spelled += c.peek();
                if (isUpper(c.peek())) {
                    property.id += c.peek();
                }
                c.advance();
            }
            if (!inNode) {
                return fail(tree, message, kSgfBadSyntax,
                            "property " + spelled + onLine(line) + " stands outside a node");
            }
            if (property.id.empty()) {
                return fail(tree, message, kSgfBadSyntax,
                            "property name " + spelled + onLine(line) + " has no capital letter");
            }
            c.skipSpace();
            if (c.done()) {
                continue;  // cut short: reported as an unclosed tree
            }
            if (c.peek() != '[') {
                return fail(tree, message, kSgfBadSyntax,
                            "property " + spelled + onLine(line) + " has no value in brackets");
            }
            while (!c.done() && c.peek() == '[') {
                const int32_t valueLine = c.line;
                c.advance();
                const size_t start = c.at;
                while (!c.done() && c.peek() != ']') {
                    if (c.peek() == '\\') {
                        c.advance();
                        if (c.done()) {
                            break;
                        }
                    }
                    c.advance();
                }
                if (c.done()) {
                    return fail(tree, message, kSgfUnclosedValue,
                                "unbalanced brackets: the value of " + spelled + " opened" +
                                    onLine(valueLine) + " is not closed");
                }
                property.values.emplace_back(text.substr(start, c.at - start));
                c.advance();  // ']'
                c.skipSpace();
            }
            tree.nodes[last].properties.push_back(std::move(property));
            continue;
        }
        return fail(tree, message, kSgfBadSyntax, "unexpected " + describe(ch) + onLine(c.line));
    }
}

std::vector<std::string_view> SgfValues(const SgfNode& node, std::string_view id) {
    std::vector<std::string_view> values;
    for (const SgfProperty& property : node.properties) {
        if (property.id == id) {
            values.insert(values.end(), property.values.begin(), property.values.end());
        }
    }
    return values;
}

bool SgfHas(const SgfNode& node, std::string_view id) {
    for (const SgfProperty& property : node.properties) {
        if (property.id == id) {
            return true;
        }
    }
    return false;
}

std::string SgfUnescape(std::string_view raw) {
    std::string text;
    text.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            text += raw[i];
            continue;
        }
        if (++i >= raw.size()) {
            break;
        }
        // A soft line break: the backslash and the line end (LF, CR, CR LF or LF CR) vanish.
        if (raw[i] == '\n' || raw[i] == '\r') {
            if (i + 1 < raw.size() && (raw[i + 1] == '\n' || raw[i + 1] == '\r') &&
                raw[i + 1] != raw[i]) {
                ++i;
            }
            continue;
        }
        text += raw[i];
    }
    return text;
}

std::string SgfEscape(std::string_view text) {
    std::string raw;
    raw.reserve(text.size());
    for (const char c : text) {
        if (c == ']' || c == '\\') {
            raw += '\\';
        }
        raw += c;
    }
    return raw;
}

bool SgfSplitCompose(std::string_view raw, std::string_view& first, std::string_view& second) {
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\') {
            ++i;
        } else if (raw[i] == ':') {
            first = raw.substr(0, i);
            second = raw.substr(i + 1);
            return true;
        }
    }
    return false;
}
