// A keyword store in a fresh temp folder, for the priority and input-box tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/KeyWordX.h"
#include "tests/support/TempDir.h"

class PriorityStore : public ::testing::Test {
 protected:
  TempDir td;
  std::string items = td / "Items";
  TKeyWordManager m{items, td / "Main"};

  // One line of a group file: the name and its data lines.
  static std::string Row(const std::string& name, const std::string& data = "Type=0") {
    return name + "\t" + data + "\r\n";
  }
  void Put(const std::string& name, const std::string& text) { WriteTextFile(items + "\\" + name, text); }
  std::vector<std::string> Names(const std::string& group) { return m.GetNames(group).Items(); }
  std::unique_ptr<TKeyWordX> Find(const std::string& path) {
    auto kw = m.FindKeyWord(path);
    EXPECT_TRUE(kw) << path;
    return kw;
  }
};
