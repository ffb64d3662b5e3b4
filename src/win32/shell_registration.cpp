#include "win32/shell_registration.h"

#include <windows.h>
// shlobj.h needs the types windows.h declares.
#include <shlobj.h>

#include "core/common/message_texts.h"
#include "win32/wide_text.h"

namespace orvandel::win32 {
namespace {

constexpr const wchar_t* kExtension = L".Pelorim";

Status Failure(LSTATUS code) {
    return Status::Fail(messages::SystemErrorCode(static_cast<std::uint32_t>(code)));
}

// Sets the default value of `key` (made when missing) to `value`.
Status SetDefault(const std::wstring& key, const std::wstring& value) {
    HKEY handle = nullptr;
    LSTATUS result = ::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                       nullptr, &handle, nullptr);
    if (result != ERROR_SUCCESS) {
        return Failure(result);
    }
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    result = ::RegSetValueExW(handle, nullptr, 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(value.c_str()), bytes);
    ::RegCloseKey(handle);
    return result == ERROR_SUCCESS ? Status::Ok() : Failure(result);
}

std::wstring DefaultOf(const std::wstring& key) {
    wchar_t value[256] = {};
    DWORD bytes = sizeof value - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value,
                       &bytes) != ERROR_SUCCESS) {
        return {};
    }
    return value;
}

Status DeleteTree(const std::wstring& key) {
    const LSTATUS result = ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    if (result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND) {
        ::RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
        return Status::Ok();
    }
    return Failure(result);
}

}  // namespace

std::wstring OpenCommand(const std::wstring& program) {
    return L"\"" + program + L"\" --home-from-file \"%1\"";
}

Status RegisterWallSetFileType(const std::wstring& program, const std::wstring& classesRoot) {
    const std::wstring progId = classesRoot + L"\\" + kWallSetProgId;
    for (const auto& [key, value] : {
             std::pair{progId, std::wstring(L"Orvandel wall set")},
             std::pair{progId + L"\\DefaultIcon", L"\"" + program + L"\",0"},
             std::pair{progId + L"\\shell\\open\\command", OpenCommand(program)},
             std::pair{classesRoot + L"\\" + kExtension, std::wstring(kWallSetProgId)},
         }) {
        if (Status set = SetDefault(key, value); !set) {
            return set;
        }
    }
    ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return Status::Ok();
}

Status UnregisterWallSetFileType(const std::wstring& classesRoot) {
    const std::wstring extension = classesRoot + L"\\" + kExtension;
    if (DefaultOf(extension) == kWallSetProgId) {
        if (Status deleted = DeleteTree(extension); !deleted) {
            return deleted;
        }
    }
    Status deleted = DeleteTree(classesRoot + L"\\" + kWallSetProgId);
    ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return deleted;
}

}  // namespace orvandel::win32
