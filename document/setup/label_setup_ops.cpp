// The label setup's copying and its new-label defaults.
#include "document/layout_shell.h"
#include "document/setup/label_setup_block.h"
#include "fields/services/label_setup.h"

int CLabelSetup::CopyFrom(const CLabelSetup& other, int skipStrings) {
  if (&other == this) return 1;
  CopyLabelSetupNumbers(*this, other);
  if (skipStrings == 0) {
    lastPrinter = other.lastPrinter;
    lastPort = other.lastPort;
    lastPrinterModel = other.lastPrinterModel;
    printTemperature = other.printTemperature;
    printSpeed = other.printSpeed;
    text174 = other.text174;
    description = other.description;
    dbBindings.Copy(other.dbBindings);
    text214 = other.text214;
  }
  return 1;
}

int CLabelSetup::CopyPageSettings(const CLabelSetup& other, int keepSize) {
  if (keepSize == 0) {
    labelHeight = other.labelHeight;
    labelWidth = other.labelWidth;
    deflt_leftOff = other.deflt_leftOff;
    deflt_topOff = other.deflt_topOff;
    deflt_hGap = other.deflt_hGap;
    deflt_vGap = other.deflt_vGap;
    deflt_lblsPerRow = other.deflt_lblsPerRow;
    deflt_rowsPerPage = other.deflt_rowsPerPage;
  }
  deflt_rotation = other.deflt_rotation;
  driverFlag = other.driverFlag;
  IsSysPrinter = other.IsSysPrinter;
  if (&other != this) {
    lastPrinter = other.lastPrinter;
    lastPort = other.lastPort;
    lastPrinterModel = other.lastPrinterModel;
  }
  dpiX = other.dpiX;
  dpiY = other.dpiY;
  return 1;
}

int CLabelSetup::LoadDefaults() {
  const LabelDefaults d = LayoutShell()->GetLabelDefaults();
  labelWidth = d.DefaultLabelWidth;
  labelHeight = d.DefaultLabelHeight;
  DefaultUnits = static_cast<uint8_t>(d.DefaultUnits);
  deflt_lblsPerRow = d.deflt_lblsPerRow;
  deflt_rowsPerPage = d.deflt_rowsPerPage;
  deflt_leftOff = d.deflt_leftOff;
  deflt_topOff = d.deflt_topOff;
  deflt_hGap = d.deflt_hGap;
  deflt_vGap = d.deflt_vGap;
  deflt_rotation = static_cast<uint8_t>(d.deflt_rotation);
  deflt_shape = d.deflt_shape;
  deflt_hasBorder = d.deflt_hasBorder;
  deflt_hasHoleDiameter = d.deflt_hasHoleDiameter;
  deflt_holeDiameter = d.deflt_holeDiameter;
  deflt_bkclr = static_cast<COLORREF>(d.deflt_bkclr);
  border.style = d.deflt_bdrData_style;
  border.width = d.deflt_bdrData_w;
  border.roundEnds = d.deflt_bdrData_roundEnds;
  border.color = d.deflt_bdrData_clr;
  cutterSetting = 1;
  return 1;
}
