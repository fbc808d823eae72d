#include "app/core/layer_settings.h"

#include "foundation/settings/process_settings.h"

void ApplySettingsToLayers(const CAppSettings& settings) {
  SetFolder(FolderKind::kLinkedText, settings.Folder(SettingsFolder::TextFiles));
  SetFolder(FolderKind::kImage, settings.Folder(SettingsFolder::ImageFiles));
  SetFolder(FolderKind::kCounter, settings.Folder(SettingsFolder::CounterFiles));
  SetFolder(FolderKind::kChooseList, settings.Folder(SettingsFolder::ChooselistFiles));
  ConfigSettingsT& config = ConfigSettings();
  config.tabStops = settings.tabStops < 1 ? 1 : settings.tabStops;
  config.drawFldsOpaque = settings.drawFieldsOpaque;
}
