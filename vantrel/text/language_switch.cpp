#include "vantrel/text/language_switch.h"

#include "vantrel/text/language_files.h"

namespace vantrel {

bool SwitchLanguage(AppContext& context, CDelayLoad& store, std::size_t k, MainWindowTexts& texts) {
  if (k >= texts.languages.size() || k >= context.Text.Languages.size() ||
      texts.languages[k].checked)
    return false;
  for (LanguageMenuItem& item : texts.languages)
    item.checked = false;
  context.Store.Language = context.Text.Languages[k].Code;
  LoadLanguageFiles(context.platform, context.ProgramFolder, context.Store.Language, context.Text);
  texts.languages[k].checked = true;
  store.WriteItems();
  return true;
}

} // namespace vantrel
