// Starting one program, document or shortcut through the shell, and finding
// a delayed shortcut that is stored by its bare file name.
#pragma once

#include <string>

#include "vantrel/app/app_context.h"

namespace vantrel {

// A path without quotes that ends in ".lnk" and names no file is looked up
// in the current user's items folder, then in the all users' one; found
// nowhere it becomes empty. Any other path is returned as it is.
std::string ResolveShortcutPath(AppContext& context, const std::string& path);

// Starts path with its default action and the parameters, letting pending
// window messages run before and after. A path with quotes that the shell
// refuses is tried once more with every quote removed. A failure is logged
// as "Program: <path> failed to start." The process handle the shell gives
// back is closed at once: nothing waits for the program. Both texts are
// taken by value, since the messages handled meanwhile may change the tables.
void RunProgram(AppContext& context, std::string path, std::string parameters);

} // namespace vantrel
