#include "vantrel/text/window_captions.h"

#include "vantrel/text/language_files.h"

namespace vantrel {

WindowCaptions::WindowCaptions(AppContext& context, std::string_view kind) {
  LoadLanguageFile(context.platform, context.ProgramFolder, entries_,
                   CaptionFileName(context.Store.Language, kind));
}

std::string WindowCaptions::At(std::size_t index, std::string_view fallback) const {
  if (index < entries_.size() && !entries_[index].empty())
    return entries_[index];
  return std::string(fallback);
}

std::string ButtonCaption(const AppContext& context, std::size_t index, std::string_view fallback) {
  if (index < context.Text.Buttons.size() && !context.Text.Buttons[index].empty())
    return context.Text.Buttons[index];
  return std::string(fallback);
}

} // namespace vantrel
