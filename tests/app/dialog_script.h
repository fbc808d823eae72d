// Fixtures of the dialog tests: the interface language set for a scope, and a
// script that acts on each modal dialog as it comes up.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/ui/ui_language.h"
#include "foundation/uifonts/ui_fonts.h"
#include "platform/testing/ui.h"
#include "platform/user/dialogs/dialogs.h"

namespace apptest {

// The shipped language files in the given language, with the interface fonts
// made for it; English again afterwards.
class LanguageScope {
 public:
  explicit LanguageScope(int language) {
    SetUiLanguageFolder(TAV_UI_LANGUAGE_DIR);
    SetUiLanguageFile(language);
    CreateUiFonts(true);
  }
  ~LanguageScope() {
    SetUiLanguageFile(kUiEnglish);
    CreateUiFonts(true);
  }
  LanguageScope(const LanguageScope&) = delete;
  LanguageScope& operator=(const LanguageScope&) = delete;
};

// Acts on each modal dialog as it comes up, in order; a dialog nobody
// scripted is cancelled. The captions of all of them are kept.
class DialogScript {
 public:
  DialogScript() { user::SetModalDialogHook(&DialogScript::Hook, this); }
  ~DialogScript() { user::SetModalDialogHook(nullptr, nullptr); }
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;
  void Then(std::function<void(HWND)> step) { steps_.push_back(std::move(step)); }
  std::vector<std::string> captions;

 private:
  static void Hook(HWND dialog, void* context) {
    auto* self = static_cast<DialogScript*>(context);
    user::SetModalDialogHook(&DialogScript::Hook, self);
    uitest::RunUntilIdle();
    char caption[128] = {};
    ::GetWindowTextA(dialog, caption, sizeof caption);
    self->captions.emplace_back(caption);
    if (self->steps_.empty()) {
      ::EndDialog(dialog, IDCANCEL);
      return;
    }
    auto step = std::move(self->steps_.front());
    self->steps_.pop_front();
    step(dialog);
  }
  std::deque<std::function<void(HWND)>> steps_;
};

inline void Press(HWND dialog, int id) { ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

}  // namespace apptest
