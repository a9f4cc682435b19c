// The game tree of an SGF (FF[4]) file: nodes with their properties and
// variations, as the text gives them. Only the first game tree of a file is
// read; what follows its closing parenthesis is ignored.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Files larger than this are refused unread: no problem comes near it.
constexpr int32_t kSgfMaxBytes = 1024 * 1024;

// Results of ParseSgf and of the SGF problem reader.
constexpr int32_t kSgfOk = 0;
constexpr int32_t kSgfCannotOpen = 1;  // file readers only
constexpr int32_t kSgfTooLarge = 2;
constexpr int32_t kSgfEmpty = 3;
constexpr int32_t kSgfNoGameTree = 4;
constexpr int32_t kSgfUnclosedValue = 5;
constexpr int32_t kSgfUnclosedTree = 6;
constexpr int32_t kSgfBadSyntax = 7;
constexpr int32_t kSgfNotAProblem = 8;  // a well-formed tree the problem reader refuses

struct SgfProperty {
    std::string id;                   // upper-case letters only: old files' lower-case ones are dropped
    std::vector<std::string> values;  // as written between the brackets, escapes kept
    int32_t line = 0;                 // line of its identifier, for messages
};

struct SgfNode {
    std::vector<SgfProperty> properties;
    std::vector<int32_t> children;  // node indexes; the first child continues the main line
    int32_t line = 0;               // line of its ';', for messages
};

struct SgfTree {
    std::vector<SgfNode> nodes;  // nodes[0] is the root
};

// Parses the first game tree of text. Returns kSgfOk, or a code and a message
// that says what is wrong and on which line; the tree is then left empty.
int32_t ParseSgf(std::string_view text, SgfTree& tree, std::string& message);

// The values of every property of the node with this identifier, in file order.
std::vector<std::string_view> SgfValues(const SgfNode& node, std::string_view id);
bool SgfHas(const SgfNode& node, std::string_view id);

// A text value with its escapes resolved and its soft line breaks removed.
std::string SgfUnescape(std::string_view raw);
// A text escaped for writing between brackets.
std::string SgfEscape(std::string_view text);
// Splits a composed value "a:b" at its first unescaped colon; false when there is none.
bool SgfSplitCompose(std::string_view raw, std::string_view& first, std::string_view& second);
