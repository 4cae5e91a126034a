// Shared set-up of the editor, options and tip tests: a simulated machine
// with Vantrel installed, the user's proggroup.c, message texts
// that name their entry, and the subject of every change the machine makes.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "common/platform/sim/sim_platform.h"
#include "common/platform/sim/sim_world.h"
#include "native/crlf_text.h"
#include "native/installed_machine.h"
#include "vantrel/app/app_context.h"

namespace vantrel::secondary_test {

using installed::kFolder;
using installed::kRunKey;
using test_text::CrLf;

inline const std::string kFile = kFolder + "\\Tester\\proggroup.c";

struct SecondaryRig {
  SecondaryRig() {
    installed::SetUpInstalledContext(context);
    context.Store.ShowTipsAtStartup = -1;
    for (std::size_t i = 0; i < context.Text.Messages.size(); ++i)
      context.Text.Messages[i] = "M" + std::to_string(i);
    world.faults = [this](sim::SimOp op, const std::string& subject) {
      if (op != sim::SimOp::kFileRead)
        changes.push_back(subject);
      return failing.count(op) != 0 && subject.find("proggroup") != std::string::npos;
    };
  }

  std::string File() const { return world.ReadFile(kFile).value_or("<missing>"); }
  std::vector<std::string> LogLines() const {
    return test_text::CrLfLinesOf(world.ReadFile(kFolder + "\\log.txt").value_or(""));
  }

  sim::SimWorld world;
  sim::SimPlatform platform{world};
  AppContext context{platform};
  std::vector<std::string> changes; // every subject changed, in order
  std::set<sim::SimOp> failing;     // calls of these kinds on proggroup.c fail
};

} // namespace vantrel::secondary_test
