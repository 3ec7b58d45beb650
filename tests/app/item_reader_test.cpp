#include "base/item_reader.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace lutavo {
namespace {

// Every item with the line it starts on.
std::vector<std::pair<std::string, int>> allItems(const std::string& text) {
    ItemReader r(text);
    std::vector<std::pair<std::string, int>> out;
    while (auto item = r.next())
        out.emplace_back(*item, r.line());
    return out;
}

TEST(ItemReader, CommasLineEndsBlanksAndQuotes) {
    using Items = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ(allItems("a,b\r\n  c\n\nd"),
              (Items{{"a", 1}, {"b", 1}, {"c", 2}, {"", 3}, {"d", 4}}));
    EXPECT_EQ(allItems("title=Rock, Paper\r\n"), (Items{{"title=Rock", 1}, {"Paper", 1}}));
    EXPECT_EQ(allItems("\"title=Rock, Paper\"\r\nx"), (Items{{"title=Rock, Paper", 1}, {"x", 2}}));
    EXPECT_EQ(allItems("a,"), (Items{{"a", 1}}));
    EXPECT_EQ(allItems("\"unclosed, quote"), (Items{{"unclosed, quote", 1}}));
    EXPECT_EQ(allItems("a,b\r\nc\n\"d\ne\"\rf\r\n\r\ng"),
              (Items{{"a", 1}, {"b", 1}, {"c", 2}, {"d\ne", 3}, {"f", 5}, {"", 6}, {"g", 7}}));
}

}  // namespace
}  // namespace lutavo
