// The access keys the popup menu gives its captions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/PopupMenu.h"

TEST(MenuAccessKeys, FirstFreeLetterOrDigitAmongSiblings) {
  EXPECT_EQ((std::vector<std::string>{"&About This Program...", "&Reboot This Program...", "&Sweeeeep", "&Exit"}),
            WithAccessKeys({"About This Program...", "Reboot This Program...", "Sweeeeep", "Exit"}));
  EXPECT_EQ((std::vector<std::string>{"&90%", "&80%", "9&5%"}), WithAccessKeys({"90%", "80%", "95%"}));
  EXPECT_EQ((std::vector<std::string>{"E&xit", "&Edit"}), WithAccessKeys({"Exit", "&Edit"}));
  EXPECT_EQ((std::vector<std::string>{"%%", ""}), WithAccessKeys({"%%", ""}));
}
