#include "app/small_dialogs/product_info.h"

#include <cstdlib>
#include <ctime>

AString GetVersionText(int* major, int* minor) {
  if (major) *major = kVersionMajor;
  if (minor) *minor = kVersionMinor;
  AString text;
  text.Format("%d.%d", kVersionMajor, kVersionMinor);
  return text;
}

AString GetProductTitle() { return AString(kProgramName); }

AString LegalNotice(int year) {
  AString text;
  text.Format("Copyright (C) 2003-%d Zorvik. All rights reserved.", year);
  return text;
}

int CurrentYear() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char year[8] = {};
  std::strftime(year, sizeof year, "%Y", &local);
  return std::atoi(year);
}
