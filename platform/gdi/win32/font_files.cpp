// The game's faces are not installed on Windows: every TrueType or OpenType
// file beside the executable is loaded for this process alone, once,
// before the first font is made.
#include "font_files.h"

#include <filesystem>
#include <system_error>

namespace {

void LoadFontsBesideExecutable() {
    std::wstring module(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
        if (length == 0)
            return;
        if (length < module.size()) {
            module.resize(length);
            break;
        }
        module.resize(module.size() * 2);
    }
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(module).parent_path();
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::wstring extension = entry.path().extension().wstring();
        CharLowerW(extension.data());
        if (extension == L".ttf" || extension == L".otf")
            AddFontResourceExW(entry.path().c_str(), FR_PRIVATE, nullptr);
    }
}

int CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0; // one face is enough
}

} // namespace

HDC TextContext() {
    static const HDC context = [] {
        LoadFontsBesideExecutable();
        return CreateCompatibleDC(nullptr);
    }();
    return context;
}

std::wstring WideFamily(std::string_view family) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, family.data(), static_cast<int>(family.size()), nullptr, 0);
    if (family.empty() || length <= 0 || length >= LF_FACESIZE)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, family.data(), static_cast<int>(family.size()), wide.data(),
                        length);
    return wide;
}

bool IsWideFamilyInstalled(const std::wstring& family) {
    if (family.empty() || family.size() >= LF_FACESIZE)
        return false;
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    family.copy(wanted.lfFaceName, family.size());
    bool found = false;
    EnumFontFamiliesExW(TextContext(), &wanted, NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

std::wstring DefaultFamily() {
    LOGFONTW font{};
    if (GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font) == 0)
        return L"MS Shell Dlg";
    return font.lfFaceName;
}
