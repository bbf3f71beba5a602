#include "driver/registry_rights.h"

#include <aclapi.h>

#include "driver/process.h"

namespace drv {

REGSAM ProgramView() {
    DWORD kind = SCS_32BIT_BINARY;
    GetBinaryTypeA(NotesExe().c_str(), &kind);
    return kind == SCS_64BIT_BINARY ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
}

ui::Key OpenInProgramView(HKEY root, const char* subkey, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey, 0, access | ProgramView(), &key) != ERROR_SUCCESS) return {};
    return ui::Key(key);
}

ChangeDenied::ChangeDenied(HKEY root, const char* subkey)
    : key_(OpenInProgramView(root, subkey, READ_CONTROL | WRITE_DAC)) {
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
