#include <gtest/gtest.h>

#include <vector>

#include "base/item_reader.h"

namespace lutavo {
namespace {

std::vector<std::string> allItems(const std::string& text) {
    ItemReader r(text);
    std::vector<std::string> out;
    while (auto item = r.next())
        out.push_back(*item);
    return out;
}

TEST(ItemReader, CommasLineEndsBlanksAndQuotes) {
    EXPECT_EQ(allItems("a,b\r\n  c\n\nd"), (std::vector<std::string>{"a", "b", "c", "", "d"}));
    EXPECT_EQ(allItems("title=Rock, Paper\r\n"), (std::vector<std::string>{"title=Rock", "Paper"}));
    EXPECT_EQ(allItems("\"title=Rock, Paper\"\r\nx"),
              (std::vector<std::string>{"title=Rock, Paper", "x"}));
    EXPECT_EQ(allItems("a,"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(allItems("\"unclosed, quote"), (std::vector<std::string>{"unclosed, quote"}));
}

}  // namespace
}  // namespace lutavo
