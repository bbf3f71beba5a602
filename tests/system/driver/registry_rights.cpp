#include "driver/registry_rights.h"

#include <aclapi.h>

#include "driver/registry.h"

namespace drv {

ChangeDenied::ChangeDenied(HKEY root, const char* subkey)
    : key_(OpenRegKey(root, subkey, READ_CONTROL | WRITE_DAC)) {
    if (!key_ || GetSecurityInfo(key_.get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr,
                                 nullptr, &savedDacl_, nullptr, &saved_) != ERROR_SUCCESS) {
        return;
    }
    char trustee[] = "CURRENT_USER";
    EXPLICIT_ACCESSA deny = {};
    deny.grfAccessPermissions =
        KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE | WRITE_DAC | WRITE_OWNER;
    deny.grfAccessMode = DENY_ACCESS;
    deny.grfInheritance = NO_INHERITANCE;
    deny.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    deny.Trustee.TrusteeType = TRUSTEE_IS_USER;
    deny.Trustee.ptstrName = trustee;
    PACL dacl = nullptr;
    if (SetEntriesInAclA(1, &deny, savedDacl_, &dacl) != ERROR_SUCCESS) return;
    applied_ = SetSecurityInfo(key_.get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr,
                               nullptr, dacl, nullptr) == ERROR_SUCCESS;
    LocalFree(dacl);
}

ChangeDenied::~ChangeDenied() {
    if (applied_) {
        SetSecurityInfo(key_.get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                        savedDacl_, nullptr);
    }
    LocalFree(saved_);
}

}  // namespace drv
