// Shared between the dialog manager's files.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/resource/res_name.h"
#include "platform/user/dialogs/dialogs.h"

namespace dialogs {

HWND CreateFromTemplate(HINSTANCE instance, std::span<const uint8_t> bytes, HWND owner, DLGPROC proc, LPARAM param,
                        bool ansi = false);
// The bytes of a template given by address: bounded by the resource holding
// it, or (a template the caller built in memory) trusted up to a limit.
std::span<const uint8_t> TemplateBytes(LPCDLGTEMPLATEW dialogTemplate);
std::span<const uint8_t> ResourceTemplate(HINSTANCE instance, const std::optional<resource::ResName>& name);
// A modal dialog's owner (its top-level window) is disabled before the
// dialog is made; the owner disabled here, or null.
HWND DisableModalOwner(HWND owner);
// Runs the dialog's modal loop (it shows when its queue first runs dry) and
// enables `disabledOwner` again when it ends; `filter` is what CallMsgFilter
// is told runs it.
INT_PTR RunModal(HWND dialog, HWND disabledOwner, int filter = static_cast<int>(MSGF_DIALOGBOX));
// For a dialog that could not be made.
INT_PTR FailModal(HWND disabledOwner);

}  // namespace dialogs
