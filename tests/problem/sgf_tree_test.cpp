#include <gtest/gtest.h>

#include <string>

#include "problem/sgf_tree.h"

namespace {

SgfTree parsed(const std::string& text) {
    SgfTree tree;
    std::string message;
    EXPECT_EQ(ParseSgf(text, tree, message), kSgfOk) << message;
    return tree;
}

// The code and the message of a refused text.
std::pair<int32_t, std::string> refused(const std::string& text) {
    SgfTree tree;
    std::string message;
    const int32_t code = ParseSgf(text, tree, message);
    EXPECT_TRUE(tree.nodes.empty());
    return {code, message};
}

std::string comment(const SgfTree& tree, int32_t node) {
    const auto values = SgfValues(tree.nodes[node], "C");
    return values.empty() ? "<none>" : SgfUnescape(values[0]);
}

TEST(SgfTree, NodesVariationsAndWhiteSpace) {
    // Text before the game tree, blanks and line ends between every token.
    const SgfTree tree = parsed("mail header\n( ;GM [1]\r\n AB[aa] [bb]\n\t;C[two]\n"
                                "( ;B[cc] ;W[dd] ) ( ;B[ee]C[side] ) )");
    ASSERT_EQ(tree.nodes.size(), 5u);
    EXPECT_EQ(SgfValues(tree.nodes[0], "AB"), (std::vector<std::string_view>{"aa", "bb"}));
    EXPECT_EQ(tree.nodes[0].children, std::vector<int32_t>{1});
    EXPECT_EQ(tree.nodes[1].children, (std::vector<int32_t>{2, 4}));  // main line first
    EXPECT_EQ(comment(tree, 4), "side");
    EXPECT_EQ(tree.nodes[1].line, 4);
    EXPECT_TRUE(SgfHas(tree.nodes[3], "W"));
    EXPECT_FALSE(SgfHas(tree.nodes[3], "B"));

    // Old files spell identifiers with lower-case letters: only the capitals count.
    const SgfTree old = parsed("(;AddBlack[aa]AddWhite[bb]Comment[x])");
    EXPECT_TRUE(SgfHas(old.nodes[0], "AB") && SgfHas(old.nodes[0], "AW"));
    EXPECT_EQ(comment(old, 0), "x");

    // Only the first game tree of a collection is read, whatever follows it.
    const SgfTree first = parsed("(;C[first])\n(;C[second])(;(((broken");
    ASSERT_EQ(first.nodes.size(), 1u);
    EXPECT_EQ(comment(first, 0), "first");
}

TEST(SgfTree, ValuesWithEscapesLineBreaksAndOddBytes) {
    // Escaped ']' and '\' do not end the value; "\\" just before ']' does.
    const SgfTree escaped = parsed(R"((;C[a \] b \\ c]GN[x\\];C[\:\q]))");
    EXPECT_EQ(comment(escaped, 0), R"(a ] b \ c)");
    EXPECT_EQ(SgfUnescape(SgfValues(escaped.nodes[0], "GN")[0]), "x\\");
    EXPECT_EQ(comment(escaped, 1), ":q");
    EXPECT_EQ(SgfEscape("a]b\\c"), R"(a\]b\\c)");

    // Soft line breaks vanish in every spelling of the line end; hard ones stay.
    const SgfTree soft = parsed("(;C[one\\\ntwo\\\r\nthree\\\rfour\nfive])");
    EXPECT_EQ(comment(soft, 0), "onetwothreefour\nfive");

    // A 20 kB comment, and NUL bytes inside a value, are plain data.
    const std::string big(20 * 1024, 'x');
    EXPECT_EQ(comment(parsed("(;C[" + big + "];B[aa])"), 0), big);
    const std::string nul("(;C[a\0b];B[aa])", 15);
    EXPECT_EQ(comment(parsed(nul), 0), std::string("a\0b", 3));
    // Outside a value a NUL byte is refused; after the game tree it is not read.
    auto [code, message] = refused(std::string("(;B[aa]\0;W[bb])", 15));
    EXPECT_EQ(code, kSgfBadSyntax);
    EXPECT_EQ(message, "unexpected byte 0x00 on line 1");
    parsed(std::string("(;B[aa])\0\0\0", 11));
}

TEST(SgfTree, MalformedTextGetsOneClearMessage) {
    const std::pair<std::string, std::pair<int32_t, std::string>> cases[] = {
        {"", {kSgfEmpty, "the file is empty"}},
        {" \r\n\t", {kSgfEmpty, "the file is empty"}},
        {"AB[aa]", {kSgfNoGameTree, "no SGF game tree: the file holds no \"(;\""}},
        {"(;C[open", {kSgfUnclosedValue, "unbalanced brackets: the value of C opened on line 1 is not closed"}},
        {"(;C[ends in a backslash\\", {kSgfUnclosedValue, "unbalanced brackets: the value of C opened on line 1 is not closed"}},
        {"(;B[aa]\n(;W[bb]", {kSgfUnclosedTree, "unbalanced brackets: 2 variations, the innermost opened on line 2 are not closed (is the file cut short?)"}},
        {"(;B[aa]", {kSgfUnclosedTree, "unbalanced brackets: the game tree opened on line 1 is not closed (is the file cut short?)"}},
        {"(;B[aa]])", {kSgfBadSyntax, "unexpected ']' on line 1"}},
        {"()", {kSgfBadSyntax, "the variation opened on line 1 holds no node: ';' expected, found ')' on line 1"}},
        {"(;B[aa](;W[bb]);B[cc])", {kSgfBadSyntax, "a node after the variations of its sequence on line 1"}},
        {"(;B[aa]\n\ncomment[x])", {kSgfBadSyntax, "property name comment on line 3 has no capital letter"}},
        {"(;B [aa] W)", {kSgfBadSyntax, "property W on line 1 has no value in brackets"}},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(refused(text), expected);
    }
}

// Every cut of a file is refused, however deep the cut, and deep nesting does
// not exhaust the stack.
TEST(SgfTree, TruncatedAndDeeplyNestedFilesAreRefused) {
    const std::string whole =
        "(;GM[1]FF[4]SZ[19]PL[B]AB[aa][bb]AW[cc]MA[aa]C[a \\] b]\n(;B[dd]C[Correct])\n(;B[ee]))\n";
    parsed(whole);
    for (size_t length = 0; length + 2 < whole.size(); ++length) {
        SCOPED_TRACE(length);
        const int32_t code = refused(whole.substr(0, length)).first;
        EXPECT_TRUE(code == kSgfEmpty || code == kSgfUnclosedValue || code == kSgfUnclosedTree) << code;
    }
    std::string deep(200000, '(');
    EXPECT_EQ(refused(deep).first, kSgfBadSyntax);
    deep.clear();
    for (int32_t i = 0; i < 100000; ++i) {
        deep += "(;";
    }
    EXPECT_EQ(refused(deep).first, kSgfUnclosedTree);
    EXPECT_EQ(refused(std::string(kSgfMaxBytes + 1, ' ')).first, kSgfTooLarge);
}

}  // namespace
