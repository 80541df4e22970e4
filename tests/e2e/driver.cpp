#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <set>
#include <thread>

#include "app/version.h"
#include "tests/e2e/named_lock.h"

namespace quillory::e2e {
namespace {

constexpr int kMessageBoxTextId = 0xFFFF;

UINT sendTimeoutMs() {
    return static_cast<UINT>(std::chrono::milliseconds(kDeadline).count()) *
           static_cast<UINT>(timeScale());
}

// Wine drops a sent message that the receiving thread did not take before the time ran out.
void expectAnswered(BOOL answered, UINT message) {
    if (!answered && GetLastError() == ERROR_TIMEOUT) {
        ADD_FAILURE() << "the program did not take the message 0x" << std::hex << message
                      << std::dec << " in " << sendTimeoutMs() / 1000 << " s";
    }
}

bool sameClass(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

LRESULT sendW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    expectAnswered(
        SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, sendTimeoutMs(), &result),
        message);
    return static_cast<LRESULT>(result);
}

std::string narrow(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

// A top-down 32-bit image of a piece of the screen, which icons can be drawn onto.
class ScreenImage {
public:
    ScreenImage(const RECT& area)
        : width_(area.right - area.left), height_(area.bottom - area.top) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        pixels_ = static_cast<std::uint32_t*>(bits);
        old_ = SelectObject(dc_, bitmap_);
        BitBlt(dc_, 0, 0, width_, height_, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
        GdiFlush();
        ReleaseDC(nullptr, screen);
    }
    ~ScreenImage() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    ScreenImage(const ScreenImage&) = delete;
    ScreenImage& operator=(const ScreenImage&) = delete;

    bool valid() const { return pixels_ != nullptr && width_ > 0 && height_ > 0; }
    int width() const { return width_; }
    int height() const { return height_; }
    std::vector<std::uint32_t> pixels() const {
        GdiFlush();
        return {pixels_, pixels_ + static_cast<std::ptrdiff_t>(width_) * height_};
    }
    void restore(const std::vector<std::uint32_t>& pixels) {
        GdiFlush();
        std::copy(pixels.begin(), pixels.end(), pixels_);
    }
    HDC dc() const { return dc_; }

    bool saveBmp(const std::string& path) const {
        GdiFlush();
        const int rowSize = (width_ * 3 + 3) & ~3;
        BITMAPFILEHEADER file{};
        BITMAPINFOHEADER header{};
        header.biSize = sizeof(header);
        header.biWidth = width_;
        header.biHeight = height_;  // bottom-up
        header.biPlanes = 1;
        header.biBitCount = 24;
        header.biCompression = BI_RGB;
        header.biSizeImage = static_cast<DWORD>(rowSize * height_);
        file.bfType = 0x4D42;  // "BM"
        file.bfOffBits = sizeof(file) + sizeof(header);
        file.bfSize = file.bfOffBits + header.biSizeImage;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof(file));
        out.write(reinterpret_cast<const char*>(&header), sizeof(header));
        std::string row(static_cast<std::size_t>(rowSize), '\0');
        for (int y = height_ - 1; y >= 0; --y) {
            for (int x = 0; x < width_; ++x) {
                const std::uint32_t pixel = pixels_[y * width_ + x];
                row[static_cast<std::size_t>(x * 3)] = static_cast<char>(pixel & 0xFF);
                row[static_cast<std::size_t>(x * 3 + 1)] = static_cast<char>((pixel >> 8) & 0xFF);
                row[static_cast<std::size_t>(x * 3 + 2)] = static_cast<char>((pixel >> 16) & 0xFF);
            }
            out.write(row.data(), rowSize);
        }
        return static_cast<bool>(out);
    }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* pixels_ = nullptr;
};

// Which of the system's icons the screen shows in `area`: each drawn on the background there
// and compared with what is shown.
BoxIcon recogniseIcon(const RECT& area) {
    ScreenImage image(area);
    if (!image.valid()) {
        return BoxIcon::Unknown;
    }
    const std::vector<std::uint32_t> shown = image.pixels();
    const std::uint32_t background = shown.front();  // a corner, outside every icon's shape
    const std::pair<LPCSTR, BoxIcon> candidates[] = {{IDI_HAND, BoxIcon::Stop},
                                                     {IDI_QUESTION, BoxIcon::Question},
                                                     {IDI_EXCLAMATION, BoxIcon::Warning},
                                                     {IDI_ASTERISK, BoxIcon::Information}};
    BoxIcon best = BoxIcon::Unknown;
    std::size_t fewest = shown.size() / 50 + 1;  // at most 2 % may differ
    for (const auto& [name, icon] : candidates) {
        image.restore(std::vector<std::uint32_t>(shown.size(), background));
        DrawIconEx(image.dc(), 0, 0, LoadIconA(nullptr, name), 0, 0, 0, nullptr, DI_NORMAL);
        const std::vector<std::uint32_t> drawn = image.pixels();
        std::size_t differ = 0;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            for (int shift = 0; shift < 24; shift += 8) {
                const int a = static_cast<int>((shown[i] >> shift) & 0xFF);
                const int b = static_cast<int>((drawn[i] >> shift) & 0xFF);
                if (std::abs(a - b) > 8) {
                    ++differ;
                    break;
                }
            }
        }
        if (differ < fewest) {
            fewest = differ;
            best = icon;
        }
    }
    return best;
}

bool isMessageBox(HWND window) {
    if (classOf(window) != "#32770") {
        return false;
    }
    // The file dialog is a #32770 too; a message box has no field to type into.
    for (HWND child : children(window)) {
        const std::string kind = classOf(child);
        if (sameClass(kind, "Edit") || sameClass(kind, "ComboBox")) {
            return false;
        }
    }
    return GetDlgItem(window, kMessageBoxTextId) != nullptr;
}

}  // namespace

int timeScale() {
    static const int scale = [] {
        const char* text = std::getenv("QUILLORY_E2E_TIME_SCALE");
        const int value = text != nullptr ? std::atoi(text) : 1;
        return value > 0 ? value : 1;
    }();
    return scale;
}

bool waitUntil(const std::function<bool()>& ready, const std::string& what,
               std::chrono::milliseconds deadline) {
    const auto end = Clock::now() + deadline * timeScale();
    while (!ready()) {
        if (Clock::now() > end) {
            ADD_FAILURE() << "timed out waiting for " << what;
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

std::string quoteArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) {
        return argument;
    }
    std::string quoted = "\"";
    for (auto it = argument.begin();; ++it) {
        std::size_t backslashes = 0;
        while (it != argument.end() && *it == '\\') {
            ++it;
            ++backslashes;
        }
        if (it == argument.end()) {
            quoted.append(backslashes * 2, '\\');
            break;
        }
        if (*it == '"') {
            quoted.append(backslashes * 2 + 1, '\\');
        } else {
            quoted.append(backslashes, '\\');
        }
        quoted.push_back(*it);
    }
    quoted.push_back('"');
    return quoted;
}

int runCommand(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process)) {
        return -1;
    }
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

const char* toString(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::None:
            return "no icon";
        case BoxIcon::Stop:
            return "stop";
        case BoxIcon::Question:
            return "question";
        case BoxIcon::Warning:
            return "warning";
        case BoxIcon::Information:
            return "information";
        case BoxIcon::Unknown:
            break;
    }
    return "unknown";
}

std::vector<HWND> children(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string classOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

std::string textOf(HWND window) {
    const auto length = static_cast<std::size_t>(send(window, WM_GETTEXTLENGTH));
    std::wstring text(length + 1, L'\0');
    const auto got = static_cast<std::size_t>(
        sendW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(std::min(got, length));
    return narrow(text);
}

HWND findChild(HWND parent, const std::string& className, const std::string& caption) {
    for (HWND child : children(parent)) {
        if (sameClass(classOf(child), className) && textOf(child) == caption) {
            return child;
        }
    }
    return nullptr;
}

HWND findChildById(HWND parent, const std::string& className, int id) {
    for (HWND child : children(parent)) {
        if (GetDlgCtrlID(child) == id && sameClass(classOf(child), className)) {
            return child;
        }
    }
    return nullptr;
}

RECT placeInParent(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

RECT clientRect(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

LRESULT send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    expectAnswered(
        SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, sendTimeoutMs(), &result),
        message);
    return static_cast<LRESULT>(result);
}

void post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PostMessageA(window, message, wParam, lParam);
}

bool settle(HWND window) {
    HWND marker = sameClass(classOf(window), "Button") ? window : nullptr;
    for (HWND child : children(window)) {
        if (marker == nullptr && sameClass(classOf(child), "Button")) {
            marker = child;
        }
    }
    if (marker == nullptr) {
        ADD_FAILURE() << "no button in " << classOf(window) << " \"" << textOf(window) << "\"";
        return false;
    }
    const auto highlighted = [&] { return (send(marker, BM_GETSTATE) & BST_PUSHED) != 0; };
    const bool before = highlighted();
    post(marker, BM_SETSTATE, !before);
    const bool handled = waitUntil([&] { return !IsWindow(marker) || highlighted() != before; },
                                   "the messages posted before to be handled");
    post(marker, BM_SETSTATE, before);
    return handled && waitUntil([&] { return !IsWindow(marker) || highlighted() == before; },
                                "the button to be let go");
}

void click(HWND button) { post(button, BM_CLICK); }

void pressKey(HWND window, WPARAM key) {
    const auto scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC));
    post(window, WM_KEYDOWN, key, 1 | (scan << 16));
    post(window, WM_KEYUP, key, 1 | (scan << 16) | (LPARAM{1} << 30) | (LPARAM{1} << 31));
}

std::vector<std::string> comboEntries(HWND combo) {
    std::vector<std::string> entries;
    const auto count = static_cast<int>(send(combo, CB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        const auto length = static_cast<std::size_t>(sendW(combo, CB_GETLBTEXTLEN, i, 0));
        std::wstring text(length + 1, L'\0');
        sendW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(length);
        entries.push_back(narrow(text));
    }
    return entries;
}

int comboSelection(HWND combo) { return static_cast<int>(send(combo, CB_GETCURSEL)); }

HWND focusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

RaisedForCapture::RaisedForCapture(HWND window) : lock_("quillory-e2e-screen"), window_(window) {
    GetWindowRect(window_, &place_);
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // Let the program and the X server finish drawing.
    sendW(window_, WM_NULL, 0, 0);
    std::this_thread::sleep_for(100ms);
}

RaisedForCapture::~RaisedForCapture() {
    SetWindowPos(window_, HWND_NOTOPMOST, place_.left, place_.top, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE);
}

bool saveScreenshot(HWND window, const std::string& path) {
    RaisedForCapture raised(window);
    RECT area{};
    GetWindowRect(window, &area);
    return saveScreenshot(area, path);
}

bool saveScreenshot(const RECT& screenArea, const std::string& path) {
    ScreenImage image(screenArea);
    return image.valid() && image.saveBmp(path);
}

int Pixels::countOther(const RECT& area, std::uint32_t colour) const {
    int count = 0;
    for (int y = std::max<int>(0, area.top); y < std::min<int>(height, area.bottom); ++y) {
        for (int x = std::max<int>(0, area.left); x < std::min<int>(width, area.right); ++x) {
            count += at(x, y) != colour ? 1 : 0;
        }
    }
    return count;
}

Pixels capture(const RECT& screenArea) {
    ScreenImage image(screenArea);
    Pixels pixels;
    if (image.valid()) {
        pixels.width = image.width();
        pixels.height = image.height();
        pixels.rgb = image.pixels();
        for (std::uint32_t& pixel : pixels.rgb) {
            pixel &= 0xFFFFFF;
        }
    }
    return pixels;
}

Pixels captureRaised(HWND window) {
    RaisedForCapture raised(window);
    RECT area{};
    GetWindowRect(window, &area);
    return capture(area);
}

std::uint32_t systemRgb(int colour) {
    const COLORREF value = GetSysColor(colour);
    return (GetRValue(value) << 16) | (GetGValue(value) << 8) | GetBValue(value);
}

CaptionDc::CaptionDc(int cellHeight, int dpi)
    : dc(CreateCompatibleDC(nullptr)),
      font(CreateFontA(scaled(cellHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, dpi == 96 ? "MS Sans Serif" : "Tahoma")) {
    SelectObject(dc, font);
}

CaptionDc::~CaptionDc() {
    DeleteDC(dc);
    DeleteObject(font);
}

RECT CaptionDc::extent(const std::string& caption, UINT flags) const {
    RECT area{};
    DrawTextW(dc, wideOf(caption).c_str(), -1, &area, DT_CALCRECT | DT_SINGLELINE | flags);
    return area;
}

Pixels drawnCaption(const std::string& caption, int cellHeight, int dpi) {
    CaptionDc text(cellHeight, dpi);
    RECT area = text.extent(caption, DT_NOPREFIX);
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof(BITMAPINFOHEADER), area.right, -area.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(text.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(text.dc, bitmap);
    FillRect(text.dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(text.dc, TRANSPARENT);
    SetTextColor(text.dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(text.dc, wideOf(caption).c_str(), -1, &area, DT_SINGLELINE | DT_NOPREFIX);
    GdiFlush();
    const auto* rgb = static_cast<const std::uint32_t*>(bits);
    Pixels image{area.right, area.bottom, {rgb, rgb + area.right * area.bottom}};
    for (std::uint32_t& pixel : image.rgb) {
        pixel &= 0xFFFFFF;
    }
    SelectObject(text.dc, old);
    DeleteObject(bitmap);
    return image;
}

namespace {

// One character as the font draws it: its cell, as wide as the character's advance.
struct Glyph {
    char character;
    Pixels cell;
    int ink;  // pixels in the text's colour
};

std::vector<Glyph> glyphsOf(int fontHeight) {
    // Lower case before upper case: where two glyphs look alike ('l' and 'I'), the common one.
    const std::string alphabet =
        "abcdefghijklmnopqrstuvwxyz0123456789 ABCDEFGHIJKLMNOPQRSTUVWXYZ.,:;!?'-()/&%+@\"_";
    const std::uint32_t face = systemRgb(COLOR_BTNFACE);
    std::vector<Glyph> glyphs;
    for (const char character : alphabet) {
        Glyph glyph{character, drawnCaption(std::string(1, character), fontHeight, 96), 0};
        glyph.ink =
            static_cast<int>(glyph.cell.rgb.size()) -
            static_cast<int>(std::count(glyph.cell.rgb.begin(), glyph.cell.rgb.end(), face));
        glyphs.push_back(std::move(glyph));
    }
    // The glyph with the most ink first: a space fits wherever any other glyph's blank columns do.
    std::stable_sort(glyphs.begin(), glyphs.end(),
                     [](const Glyph& a, const Glyph& b) { return a.ink > b.ink; });
    return glyphs;
}

bool drawnAt(const Pixels& line, int x, const Pixels& cell) {
    if (x + cell.width > line.width || cell.height > line.height) {
        return false;
    }
    for (int y = 0; y < cell.height; ++y) {
        for (int column = 0; column < cell.width; ++column) {
            if (line.at(x + column, y) != cell.at(column, y)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

namespace {

// The glyphs that the line shows from column `x` on, to where a gap wider than two spaces
// begins; where glyphs look alike ('l' and 'I'), the reading that fits the rest of the line.
// Null when none fits.
std::optional<std::string> readFrom(const Pixels& line, int x, const std::vector<Glyph>& glyphs,
                                    std::set<int>& dead) {
    const std::uint32_t face = systemRgb(COLOR_BTNFACE);
    if (x >= line.width ||
        line.countOther(RECT{x, 0, std::min(x + 8, line.width), line.height}, face) == 0) {
        return std::string();
    }
    if (dead.count(x) != 0) {
        return std::nullopt;
    }
    for (const Glyph& glyph : glyphs) {
        if (drawnAt(line, x, glyph.cell)) {
            if (auto rest = readFrom(line, x + glyph.cell.width, glyphs, dead)) {
                return glyph.character + *rest;
            }
        }
    }
    dead.insert(x);
    return std::nullopt;
}

std::string readLine(const Pixels& line, const std::vector<Glyph>& glyphs) {
    std::set<int> dead;
    std::string text = readFrom(line, 0, glyphs, dead).value_or("?");
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

}  // namespace

std::string labelText(HWND form, POINT at, int fontHeight) {
    const std::vector<Glyph> glyphs = glyphsOf(fontHeight);
    // What the screen shows lags behind the window's state by a repaint: the same reading
    // twice in a row, and every glyph known, is what the window shows.
    std::string text, before = "?";
    for (int reading = 0; reading < 50; ++reading) {
        {
            // Raised, the window may stand somewhere else on the screen.
            RaisedForCapture raised(form);
            RECT client = clientRect(form);
            MapWindowPoints(form, nullptr, reinterpret_cast<POINT*>(&client), 2);
            const RECT area{client.left + at.x, client.top + at.y, client.right,
                            client.top + at.y + glyphs.front().cell.height};
            text = readLine(capture(area), glyphs);
        }
        if (text == before && text.find('?') == std::string::npos) {
            break;
        }
        before = text;
    }
    return text;
}

std::wstring wideOf(const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                            static_cast<int>(wide.size()))));
    return wide;
}

std::string utf8Of(const std::wstring& wide) {
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                            static_cast<int>(utf8.size()), nullptr, nullptr)));
    return utf8;
}

void dropFiles(const Program& program, HWND window, const std::vector<std::string>& utf8Paths) {
    std::wstring names;
    for (const std::string& path : utf8Paths) {
        names += wideOf(path) + L'\0';
    }
    names += L'\0';
    struct {
        DWORD pFiles;
        POINT pt;
        BOOL fNC;
        BOOL fWide;
    } header{sizeof header, {10, 10}, FALSE, TRUE};
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    block.append(reinterpret_cast<const char*>(names.data()), names.size() * sizeof(wchar_t));

    const HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, program.id());
    ASSERT_NE(process, nullptr);
    void* remote =
        VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_NE(remote, nullptr);
    SIZE_T written = 0;
    EXPECT_TRUE(WriteProcessMemory(process, remote, block.data(), block.size(), &written));
    CloseHandle(process);
    post(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote));
}

BoxIcon iconOf(const MessageBoxView& box) {
    HWND iconControl = nullptr;
    for (HWND child : children(box.window)) {
        if (sameClass(classOf(child), "Static") &&
            (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            iconControl = child;
        }
    }
    if (iconControl == nullptr || !IsWindowVisible(iconControl) ||
        send(iconControl, STM_GETICON) == 0) {
        return BoxIcon::None;
    }
    // What shows may be hidden for a moment by a window of a test running beside this one.
    BoxIcon icon = BoxIcon::Unknown;
    for (int attempt = 0; attempt < 10 && icon == BoxIcon::Unknown; ++attempt) {
        RaisedForCapture raised(box.window);
        RECT area = clientRect(iconControl);
        MapWindowPoints(iconControl, nullptr, reinterpret_cast<POINT*>(&area), 2);
        icon = recogniseIcon(area);
    }
    return icon;
}

Program::Program(const std::string& exe, const std::string& workingDir) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string commandLine = quoteArgument(exe);
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDir.c_str(), &startup, &process_)) {
        ADD_FAILURE() << "cannot start " << exe << ": error " << GetLastError();
        process_ = {};
    }
}

Program::~Program() {
    if (!started()) {
        return;
    }
    if (running()) {
        // A test that failed half-way leaves the program open: end it (it is our own child).
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

std::string Program::ended() const {
    DWORD code = 0;
    if (running() || !GetExitCodeProcess(process_.hProcess, &code)) {
        return "";
    }
    char text[64];
    std::snprintf(text, sizeof(text), " (the program ended with code 0x%lX)", code);
    return text;
}

bool Program::running() const {
    return started() && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::vector<HWND> Program::topWindows(const std::string& className) const {
    struct Search {
        DWORD process;
        std::string className;
        std::vector<HWND> found;
    } search{id(), className, {}};
    EnumWindows(
        [](HWND window, LPARAM context) {
            auto& search = *reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == search.process && IsWindowVisible(window) &&
                (search.className.empty() || classOf(window) == search.className)) {
                search.found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Program::mainWindow() { return waitForWindow("TForm1", "Quillory  v" QUILLORY_VERSION); }

HWND Program::waitForWindow(const std::string& className, const std::string& caption) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            for (HWND window : topWindows(className)) {
                if (textOf(window) == caption) {
                    found = window;
                    return true;
                }
            }
            return !running();
        },
        "window " + className + " \"" + caption + "\"");
    if (found == nullptr) {
        ADD_FAILURE() << "no window " << className << " \"" << caption << "\"" << ended();
    }
    return found;
}

bool Program::messageBoxOpen() const {
    for (HWND window : topWindows("#32770")) {
        if (isMessageBox(window)) {
            return true;
        }
    }
    return false;
}

MessageBoxView Program::waitForMessageBox() {
    MessageBoxView box;
    waitUntil(
        [&] {
            for (HWND window : topWindows("#32770")) {
                if (isMessageBox(window)) {
                    box.window = window;
                    return true;
                }
            }
            return !running();
        },
        "a message box");
    if (box.window == nullptr) {
        ADD_FAILURE() << "no message box came" << ended();
        return box;
    }
    box.text = textOf(GetDlgItem(box.window, kMessageBoxTextId));
    box.caption = textOf(box.window);
    for (int button : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        HWND control = GetDlgItem(box.window, button);
        if (control != nullptr && IsWindowVisible(control)) {
            box.buttons.insert(button);
        }
    }
    box.owner = GetWindow(box.window, GW_OWNER);
    return box;
}

void Program::answer(const MessageBoxView& box, int button) {
    HWND control = GetDlgItem(box.window, button);
    ASSERT_NE(control, nullptr) << "the box \"" << box.text << "\" has no button " << button;
    click(control);
    waitUntil([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); },
              "the box \"" + box.text + "\" to close");
}

int Program::waitForExit(std::chrono::milliseconds deadline) {
    const auto scaled = static_cast<DWORD>(deadline.count() * timeScale());
    if (!started() || WaitForSingleObject(process_.hProcess, scaled) != WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

}  // namespace quillory::e2e
