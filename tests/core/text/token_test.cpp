#include <gtest/gtest.h>

#include "core/text/token.h"

using hartool::Token;

namespace {

std::vector<std::string> tokensOf(const Token& t) {
    std::vector<std::string> out;
    for (std::size_t i = 1; i <= t.ANZAHL(); ++i) out.emplace_back(t.GETTOKEN(i));
    return out;
}

}  // namespace

TEST(TokenTest, SplitsWithDelimiterRunsCountingAsOneAndThePassLimit) {
    struct Case {
        std::string source, delimiter;
        std::vector<std::string> tokens;
        std::string joined;
    };
    const Case cases[] = {
        {"TITLE: Hunt", ":", {"TITLE", " Hunt"}, "TITLE: Hunt"},
        {"a  b   c", " ", {"a", "b", "c"}, "a b c"},
        {"::a", ":", {"", "a"}, ":a"},
        {"a,b,", ",", {"a", "b", ""}, "a,b,"},
        {"a,b,,,", ",", {"a", "b", ""}, "a,b,"},
        {"line1\n\nline2\n", "\n", {"line1", "line2", ""}, "line1\nline2\n"},
        {"", ",", {""}, ""},
        {",", ",", {""}, ""},  // the pass limit: one pass for a source of length 1
        {",,", ",", {"", ""}, ","},
        {"a<><>b<>", "<>", {"a", "b", ""}, "a<>b<>"},
        {"aaa", "aa", {"", "a"}, "aaa"},
        {" a : b ", ":", {" a ", " b "}, " a : b "},
        {"aXbxc", "x", {"aXb", "c"}, "aXbxc"},
        {"a,b", "", {"a,b"}, "a,b"},
    };
    for (const Case& c : cases) {
        Token t(c.source, c.delimiter);
        EXPECT_EQ(tokensOf(t), c.tokens) << c.source;
        EXPECT_EQ(t.TOKENSTRING(), c.joined) << c.source;
        for (std::size_t i = 0; i <= c.tokens.size() + 1; ++i)
            EXPECT_EQ(hartool::tokenAt(c.source, c.delimiter, i), t.GETTOKEN(i)) << c.source << " " << i;
    }
}

TEST(TokenTest, BadIndexesChangeNothing) {
    Token t("a b c", " ");
    EXPECT_EQ(t.GETTOKEN(0), "");
    EXPECT_EQ(t.GETTOKEN(4), "");
    EXPECT_FALSE(t.DELETETOKEN(0));
    EXPECT_FALSE(t.DELETETOKEN(4));
    EXPECT_EQ(t.REPLACETOKEN(0, "x"), "");
    EXPECT_EQ(t.REPLACETOKEN(4, "x"), "");
    EXPECT_FALSE(t.APPENDTOKEN(std::nullopt));
    EXPECT_EQ(t.REPLACEDELIMITER(), "");
    EXPECT_EQ(t.ANZAHL(), 3u);
    EXPECT_EQ(t.TOKENSTRING(), "a b c");

    EXPECT_EQ(t.REPLACETOKEN(2, "B"), "b");
    EXPECT_TRUE(t.DELETETOKEN(1));
    EXPECT_EQ(t.REPLACEDELIMITER("\r\n"), " ");
    EXPECT_TRUE(t.APPENDTOKEN("d"));
    EXPECT_EQ(t.TOKENSTRING(), "B\r\nc\r\nd");
    Token one("x", " ");
    EXPECT_TRUE(one.DELETETOKEN(1));
    EXPECT_EQ(one.ANZAHL(), 0u);
    EXPECT_EQ(one.TOKENSTRING(), "");
}

TEST(TokenTest, SearchNeedsFullEquality) {
    Token t("TITLE TIT title TIT", " ");
    EXPECT_EQ(t.SEARCHTOKEN("TIT"), 2u);
    EXPECT_EQ(t.SEARCHTOKEN("title"), 3u);
    EXPECT_EQ(t.SEARCHTOKEN("TI"), 0u);
}

TEST(TokenTest, ArraysAreSharedAndTheCountIsNotRecomputed) {
    Token t("a b c", " ");
    Token::SharedArray own = t.TOKENARRAY();
    (*own)[1] = "X";
    own->push_back("ignored");
    EXPECT_EQ(t.TOKENSTRING(), "a X c");
    EXPECT_EQ(t.ANZAHL(), 3u);
    EXPECT_TRUE(t.APPENDTOKEN("d"));
    EXPECT_EQ(t.TOKENSTRING(), "a X c ignored d");
    own->clear();  // shrunk behind its back: nothing out of range is read
    EXPECT_EQ(t.GETTOKEN(1), "");
    EXPECT_EQ(t.TOKENSTRING(), "");

    auto given = std::make_shared<Token::Array>(Token::Array{"p", "q"});
    Token shared(given, ",");
    shared.REPLACETOKEN(1, "P");
    EXPECT_EQ((*given)[0], "P");
    EXPECT_EQ(shared.TOKENARRAY(), given);

    for (const Token& none : {Token(), Token(Token::SharedArray(), ",")}) {
        EXPECT_EQ(none.ANZAHL(), 1u);
        EXPECT_EQ(none.TOKENSTRING(), "");
    }
}

TEST(TokenTest, TokensSurviveMovesAndTheFirstChange) {
    Token t("a b c", " ");  // short enough to live inside the string object
    Token moved = std::move(t);
    Token assigned;
    assigned = std::move(moved);
    EXPECT_EQ(tokensOf(assigned), (std::vector<std::string>{"a", "b", "c"}));
    const std::string_view before = assigned.GETTOKEN(3);
    EXPECT_EQ(before, "c");
    EXPECT_EQ(assigned.REPLACETOKEN(1, "A"), "a");
    EXPECT_EQ(tokensOf(assigned), (std::vector<std::string>{"A", "b", "c"}));
    EXPECT_EQ(assigned.SEARCHTOKEN("c"), 3u);
}
