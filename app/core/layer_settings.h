// The settings that lower layers read from process-wide values rather than
// from the designer's record: the folders put before relative file names
// (text, image and counter files, choose lists), the tab stops and opaque
// drawing. Set
// from the record at start-up and whenever the options or folders change.
#pragma once

#include "app/core/app_settings.h"

void ApplySettingsToLayers(const CAppSettings& settings);
