// Security descriptors: only what decides who may open a named object.
#include <cstring>

#include "platform/kernel/kernel_internal.h"

BOOL InitializeSecurityDescriptor(PSECURITY_DESCRIPTOR descriptor, DWORD revision) {
  if (!descriptor) return kernel::Fail(ERROR_INVALID_PARAMETER);
  if (revision != SECURITY_DESCRIPTOR_REVISION) return kernel::Fail(1305);  // ERROR_UNKNOWN_REVISION
  std::memset(descriptor, 0, sizeof(SECURITY_DESCRIPTOR));
  static_cast<SECURITY_DESCRIPTOR*>(descriptor)->Revision = static_cast<BYTE>(revision);
  return TRUE;
}

BOOL SetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR descriptor, BOOL daclPresent, PACL dacl, BOOL) {
  auto* sd = static_cast<SECURITY_DESCRIPTOR*>(descriptor);
  if (!sd || sd->Revision != SECURITY_DESCRIPTOR_REVISION) return kernel::Fail(ERROR_INVALID_PARAMETER);
  if (daclPresent) {
    sd->Control |= SE_DACL_PRESENT;
    sd->Dacl = dacl;
  } else {
    sd->Control &= static_cast<WORD>(~SE_DACL_PRESENT);
    sd->Dacl = nullptr;
  }
  return TRUE;
}
