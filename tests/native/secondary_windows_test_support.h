// Shared set-up of the editor, options and tip tests: a simulated machine
// with Vantrel installed, the user's proggroup.c, marked message and button
// texts, and a record of every change the machine makes.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform/sim/sim_platform.h"
#include "common/platform/sim/sim_world.h"
#include "native/crlf_text.h"
#include "native/installed_machine.h"
#include "vantrel/app/app_context.h"

namespace vantrel::secondary_test {

using installed::kAllUsersItems;
using installed::kCurrentUserItems;
using installed::kFolder;
using installed::kOwnRun;
using installed::kRunKey;

inline const std::string kFile = kFolder + "\\Tester\\proggroup.c";
inline const std::string kLog = kFolder + "\\log.txt";

using test_text::CrLf;

struct SecondaryRig {
  SecondaryRig() {
    context.Store.CurrentUserItemsFolder = kCurrentUserItems;
    context.Store.AllUsersItemsFolder = kAllUsersItems;
    context.OwnRunCommand = kOwnRun;
    context.Store.MainStartupDelay = 30;
    context.Store.StartupType = 1;
    context.Store.CloseType = 1;
    context.Store.ShowTipsAtStartup = -1;
    // Texts that name their entry, so a test sees which one was shown.
    for (std::size_t i = 0; i < context.Text.Messages.size(); ++i)
      context.Text.Messages[i] = "M" + std::to_string(i);
    for (std::size_t i = 0; i < context.Text.Buttons.size(); ++i)
      context.Text.Buttons[i] = "B" + std::to_string(i);
    world.MakeDirs(kCurrentUserItems);
    world.MakeDirs(kAllUsersItems);
    world.faults = [this](sim::SimOp op, const std::string& subject) {
      if (op != sim::SimOp::kFileRead)
        changes.push_back(Describe(op) + " " + subject);
      return failing.count(op) != 0 && subject.find(failingSubject) != std::string::npos;
    };
  }

  static std::string Describe(sim::SimOp op) {
    switch (op) {
    case sim::SimOp::kRegCreateKey:
      return "reg-create";
    case sim::SimOp::kRegSetValue:
      return "reg-set";
    case sim::SimOp::kRegDeleteValue:
      return "reg-delete";
    case sim::SimOp::kFileWrite:
      return "write";
    case sim::SimOp::kFileReplace:
      return "replace";
    default:
      return "other";
    }
  }

  std::string File() const { return world.ReadFile(kFile).value_or("<missing>"); }

  std::vector<std::string> LogLines() const {
    return test_text::CrLfLinesOf(world.ReadFile(kLog).value_or(""));
  }

  // Changes of the machine whose subject contains part, in order.
  std::vector<std::string> ChangesTo(std::string_view part) const {
    std::vector<std::string> found;
    for (const std::string& change : changes) {
      if (change.find(part) != std::string::npos)
        found.push_back(change);
    }
    return found;
  }

  // Message boxes as "caption|text".
  std::vector<std::string> Boxes() const {
    std::vector<std::string> boxes;
    for (const auto& box : platform.messageBoxes())
      boxes.push_back(box.caption + "|" + box.text);
    return boxes;
  }

  sim::SimWorld world;
  sim::SimPlatform platform{world};
  AppContext context{platform};
  std::vector<std::string> changes;
  // Calls of these kinds whose subject contains failingSubject fail.
  std::set<sim::SimOp> failing;
  std::string failingSubject = "proggroup";
};

} // namespace vantrel::secondary_test
