#include "vantrel/tree/known_programs.h"

#include <algorithm>
#include <exception>

#include "common/event_log.h"
#include "vantrel/tree/startup_tree.h"

namespace vantrel {

namespace {

bool IsKnown(const std::vector<SafeProgram>& safeList, std::string_view text) {
  return std::any_of(safeList.begin(), safeList.end(), [text](const SafeProgram& program) {
    return !program.ProgramName.empty() && text.find(program.ProgramName) != std::string_view::npos;
  });
}

} // namespace

void MarkKnown(TreeModel& tree, const std::vector<SafeProgram>& safeList) {
  for (const TreeModel::NodeId id : NodesInIndexOrder(tree)) {
    TreeModel::Node& node = tree.At(id);
    if (node.children.empty())
      node.bold = !IsKnown(safeList, node.text);
  }
}

std::string ItemTip(const std::vector<SafeProgram>& safeList, std::string_view text) {
  if (text.empty())
    return {};
  const auto hit = std::find_if(safeList.begin(), safeList.end(), [text](const SafeProgram& p) {
    return text.find(p.ProgramName) != std::string_view::npos;
  });
  return hit == safeList.end() ? std::string() : hit->Description;
}

} // namespace vantrel
