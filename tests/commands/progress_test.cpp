#include "commands/progress.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

using namespace korv;

TEST(ProgressDisplay, PercentIsTruncatedAndTheBarHidesAtTheEnd) {
    test::ScriptedUi ui;
    {
        ProgressDisplay p(ui, 3, "Module is being read ... ");
        EXPECT_EQ(ui.progressVisible, 1);
        EXPECT_EQ(ui.progressMaximum, 3);
        p.Step();
        p.Step();
        EXPECT_EQ(ui.progressPosition, 2);
        p.Step();
        p.Step(); // never beyond the end
        EXPECT_EQ(ui.progressPosition, 3);
    }
    EXPECT_EQ(ui.progressVisible, 0);
    EXPECT_EQ(ui.progressLabels, (std::vector<std::string>{"Module is being read ... (0%)",
                                                           "Module is being read ... (33%)",
                                                           "Module is being read ... (66%)",
                                                           "Module is being read ... (100%)",
                                                           "Module is being read ... (100%)"}));
    EXPECT_EQ(ProgressDisplay::Label("x", 0, 0), "x(100%)");
    EXPECT_EQ(ProgressDisplay::Label("x", 511, 512), "x(99%)");
}
