#include "app/log_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tabvex::app {
namespace {

OutputLine Plain(int i) { return {"step " + std::to_string(i), std::nullopt}; }
OutputLine Error(int i) { return {"failure " + std::to_string(i), kErrorColours}; }
OutputLine Warning(int i) { return {"reason " + std::to_string(i), kProviderTextColours}; }

std::vector<std::string> Texts(const LogLines& log) {
    std::vector<std::string> texts;
    for (const OutputLine& line : log.lines()) texts.push_back(line.text);
    return texts;
}

TEST(LogLines, PastTheLineCapOrdinaryLinesGoOldestFirstAndErrorsAndWarningsStay) {
    LogLines log(100, 1 << 20);
    log.Append(Error(0));
    log.Append(Warning(1));
    for (int i = 2; i < 100; ++i) log.Append(i == 50 ? OutputLine{"done", kSuccessColours} : Plain(i));
    ASSERT_EQ(log.size(), 100u) << "the cap itself is kept whole";

    EXPECT_TRUE(log.TrimsOnAppend(Plain(100)));
    log.Append(Plain(100));
    const auto texts = Texts(log);
    ASSERT_EQ(texts.size(), 90u) << "a tenth of the cap is made free at once";
    EXPECT_EQ(texts[0], "failure 0");
    EXPECT_EQ(texts[1], "reason 1");
    EXPECT_EQ(texts[2], "step 13") << "the oldest ordinary lines went, a success line is ordinary";
    EXPECT_EQ(texts.back(), "step 100");
    EXPECT_FALSE(log.TrimsOnAppend(Plain(101)));
}

TEST(LogLines, ErrorsAndWarningsGoOnlyWhenNothingElseIsLeft) {
    LogLines log(10, 1 << 20);
    log.Append(Plain(0));
    for (int i = 1; i < 10; ++i) log.Append(i % 2 ? Error(i) : Warning(i));
    log.Append(Error(10));
    EXPECT_EQ(Texts(log), (std::vector<std::string>{"reason 2", "failure 3", "reason 4", "failure 5", "reason 6", "failure 7",
                                                     "reason 8", "failure 9", "failure 10"}));
}

TEST(LogLines, TheTextCapTrimsLikeTheLineCap) {
    LogLines log(1000, 100);
    log.Append({std::string(40, 'e'), kErrorColours});
    log.Append({std::string(30, 'a'), std::nullopt});
    log.Append({std::string(30, 'b'), std::nullopt});
    EXPECT_EQ(log.textBytes(), 100u);
    EXPECT_TRUE(log.TrimsOnAppend({"c", std::nullopt}));
    log.Append({"c", std::nullopt});
    EXPECT_EQ(Texts(log), (std::vector<std::string>{std::string(40, 'e'), std::string(30, 'b'), "c"}));
    EXPECT_EQ(log.textBytes(), 71u);
}

TEST(LogLines, ErrorsOnlyMeansErrorsAndWarnings) {
    EXPECT_TRUE(IsErrorOrWarning(Error(0)));
    EXPECT_TRUE(IsErrorOrWarning(Warning(0)));
    EXPECT_FALSE(IsErrorOrWarning({"done", kSuccessColours}));
    EXPECT_FALSE(IsErrorOrWarning(Plain(0)));
}

}  // namespace
}  // namespace tabvex::app
