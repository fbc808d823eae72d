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
// The modal loop; `filter` is what CallMsgFilter is told runs it.
INT_PTR RunModal(HWND dialog, int filter = static_cast<int>(MSGF_DIALOGBOX));

}  // namespace dialogs
