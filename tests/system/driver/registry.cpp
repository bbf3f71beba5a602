#include "driver/registry.h"

#include "ui/handles.h"

namespace drv {

REGSAM ProgramRegistryView() {
    static const REGSAM view = [] {
        char path[MAX_PATH * 2] = {};
        const DWORD length = GetEnvironmentVariableA("NOTES_EXE", path, sizeof path);
        if (length == 0 || length >= sizeof path) return REGSAM{0};
        ui::File file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
        IMAGE_DOS_HEADER dos = {};
        DWORD done = 0;
        if (!file || !ReadFile(file.get(), &dos, sizeof dos, &done, nullptr) ||
            done != sizeof dos || dos.e_magic != IMAGE_DOS_SIGNATURE ||
            SetFilePointer(file.get(), dos.e_lfanew, nullptr, FILE_BEGIN) ==
                INVALID_SET_FILE_POINTER) {
            return REGSAM{0};
        }
        struct {
            DWORD signature;
            IMAGE_FILE_HEADER header;
        } pe = {};
        if (!ReadFile(file.get(), &pe, sizeof pe, &done, nullptr) || done != sizeof pe ||
            pe.signature != IMAGE_NT_SIGNATURE) {
            return REGSAM{0};
        }
        switch (pe.header.Machine) {
        case IMAGE_FILE_MACHINE_I386: return REGSAM{KEY_WOW64_32KEY};
        case IMAGE_FILE_MACHINE_AMD64: return REGSAM{KEY_WOW64_64KEY};
        default: return REGSAM{0};
        }
    }();
    return view;
}

ui::Key OpenRegKey(HKEY root, std::string_view subkey, REGSAM access, bool create) {
    HKEY key = nullptr;
    const std::string path(subkey);
    access |= ProgramRegistryView();
    const LONG result =
        create ? RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, access, nullptr, &key, nullptr)
               : RegOpenKeyExA(root, path.c_str(), 0, access, &key);
    return ui::Key(result == ERROR_SUCCESS ? key : nullptr);
}

std::string RegValue::Text() const {
    std::string text = data;
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

std::optional<RegValue> ReadRegValue(HKEY root, std::string_view subkey, std::string_view name) {
    ui::Key key = OpenRegKey(root, subkey, KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    const std::string valueName(name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    RegValue value;
    value.type = type;
    value.data.resize(size);
    if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(value.data.data()), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.data.resize(size);
    return value;
}

bool WriteRegValue(HKEY root, std::string_view subkey, std::string_view name, DWORD type,
                   std::string_view data) {
    ui::Key key = OpenRegKey(root, subkey, KEY_SET_VALUE, true);
    if (!key) return false;
    const std::string valueName(name);
    return RegSetValueExA(key.get(), valueName.c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

bool WriteRegString(HKEY root, std::string_view subkey, std::string_view name,
                    std::string_view value) {
    std::string data(value);
    data.push_back('\0');
    return WriteRegValue(root, subkey, name, REG_SZ, data);
}

bool WriteRegDword(HKEY root, std::string_view subkey, std::string_view name, DWORD value) {
    return WriteRegValue(root, subkey, name, REG_DWORD,
                         std::string_view(reinterpret_cast<const char*>(&value), sizeof value));
}

bool DeleteRegValue(HKEY root, std::string_view subkey, std::string_view name) {
    ui::Key key = OpenRegKey(root, subkey, KEY_SET_VALUE);
    if (!key) return true;
    const std::string valueName(name);
    const LONG result = RegDeleteValueA(key.get(), valueName.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

RegValueRestorer::RegValueRestorer(HKEY root, std::string subkey, std::string name)
    : root_(root),
      subkey_(std::move(subkey)),
      name_(std::move(name)),
      saved_(ReadRegValue(root_, subkey_, name_)) {}

RegValueRestorer::~RegValueRestorer() {
    if (saved_) {
        WriteRegValue(root_, subkey_, name_, saved_->type, saved_->data);
    } else {
        DeleteRegValue(root_, subkey_, name_);
    }
}

}  // namespace drv
