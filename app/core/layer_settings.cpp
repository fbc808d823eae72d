#include "app/core/layer_settings.h"

#include "foundation/settings/process_settings.h"

void ApplySettingsToLayers(const CAppSettings& settings) {
  SetFolder(FolderKind::kLinkedText, settings.Folder(DataFolder::TextFiles));
  SetFolder(FolderKind::kImage, settings.Folder(DataFolder::ImageFiles));
  SetFolder(FolderKind::kCounter, settings.Folder(DataFolder::CounterFiles));
  ConfigSettingsT& config = ConfigSettings();
  config.tabStops = settings.tabStops < 1 ? 1 : settings.tabStops;
  config.drawFldsOpaque = settings.drawFieldsOpaque;
}
