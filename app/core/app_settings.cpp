#include "app/core/app_settings.h"

CAppSettings& AppSettings() {
  static CAppSettings settings;
  return settings;
}
