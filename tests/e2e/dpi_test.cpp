// Every form at the screen scales of 96, 120, 144 and 192 DPI (the LogPixels setting, which a
// Wine process reads at its start): laid out from its 96-DPI design scaled, every caption whole,
// the marks visible; at 96 DPI pixel for pixel the screenshots kept in tests/data/forms, which
// QUILLORY_WRITE_FORMS=1 takes anew. Run alone, by the test e2e.dpi, with a recording device.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>

#include "app/ids.h"
#include "app/messages.h"
#include "tests/e2e/fixture.h"

namespace quillory::e2e {
namespace {

constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED, of Windows 8.1 and later

// The screen scale of the programs started from now on; the one before comes back at the end,
// also when the test fails.
class LogPixels {
public:
    LogPixels() {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key_, nullptr);
        DWORD size = sizeof before_;
        had_ = !RegQueryValueExA(key_, "LogPixels", nullptr, nullptr, bytes(before_), &size);
    }
    ~LogPixels() {
        had_ ? set(before_) : (void)RegDeleteValueA(key_, "LogPixels");
        RegCloseKey(key_);
    }
    void set(DWORD dpi) { RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, bytes(dpi), 4); }

private:
    static BYTE* bytes(DWORD& value) { return reinterpret_cast<BYTE*>(&value); }
    HKEY key_ = nullptr;
    DWORD before_ = 96;
    bool had_ = false;
};

// Whether two pixels are the same to the eye: the smoothed edges of a letter may differ by a
// shade between Wine's 32-bit and 64-bit font renderers.
bool alike(std::uint32_t a, std::uint32_t b) {
    for (int shift = 0; shift < 24; shift += 8) {
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 16) {
            return false;
        }
    }
    return true;
}

// A form's 96-DPI design: its client size, the font's cell height of its captions, its labels
// (left, top, caption, cell height) and the width of the picture beside a button's caption.
struct Label {
    int left, top;
    const char* caption;
    int cellHeight;
};
struct Form {
    const char* className;
    int command;  // the menu command that opens it; 0 for the main window
    SIZE client;
    int cellHeight;
    std::vector<Label> labels;
    std::map<int, int> pictures;
};
// clang-format off
const Form kForms[] = {
    {ids::kMainWindowClass, 0, {738, 288}, 13,
     {{24, 16, captions::kCommType, 13}, {24, 72, captions::kReplace, 13},
      {24, 152, captions::kWith, 13}},
     {{ids::kSpeedButton1, 18}, {ids::kBitBtn1, 20}, {ids::kReloadBtn, 16}, {ids::kWavBtn, 18},
      {ids::kDeleteFilesBtn, 32}}},
    {ids::kAboutBoxClass, ids::kMenuAbout, {298, 218}, 11,
     {{18, 18, captions::kProductName, 16}, {18, 41, captions::kVersion, 11},
      {73, 93, captions::kAddress, 15}, {16, 125, captions::kSite, 15},
      {15, 145, captions::kNextVersion1, 11}, {15, 158, captions::kNextVersion2, 11}}, {}},
    {ids::kRecordBoxClass, ids::kMenuRecord, {504, 285}, 13,
     {{8, 8, captions::kMessage, 13}, {8, 171, captions::kLevel, 13}}, {}},
};
// clang-format on

// A child window of a form (but a label, checked by its pixels): its place (left, top, width,
// height) and, for a list, the heights of its field and of its entries.
struct Control {
    HWND window;
    std::string name;
    RECT place;
    int field = 0, item = 0;
};
std::vector<Control> controlsOf(HWND form) {
    std::vector<Control> controls;
    for (HWND child : children(form)) {
        const bool label = classOf(child) == "Static" &&
                           (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_LEFT;
        if (GetParent(child) == form && IsWindowVisible(child) && !label) {
            controls.push_back({child, classOf(child) + " " + std::to_string(GetDlgCtrlID(child)),
                                placeInParent(child)});
            if (classOf(child) == "ComboBox") {
                controls.back().field = int(send(child, CB_GETITEMHEIGHT, WPARAM(-1)));
                controls.back().item = int(send(child, CB_GETITEMHEIGHT, 0));
            }
        }
    }
    return controls;
}

// The client size and the controls' places, a line each: what the layout checks compare.
std::string layout(SIZE client, const std::vector<Control>& controls) {
    std::string text = std::to_string(client.cx) + "x" + std::to_string(client.cy);
    for (const Control& c : controls) {
        char line[160];
        std::snprintf(line, sizeof line, "\n%s: %ld,%ld %ldx%ld entries %d field %d",
                      c.name.c_str(), c.place.left, c.place.top, c.place.right, c.place.bottom,
                      c.item, c.field);
        text += line;
    }
    return text;
}

// The design scaled. A closed list is as high as its entries' line and the system's frame
// around it, which does not grow.
std::vector<Control> scaledTo(std::vector<Control> controls, int dpi) {
    for (Control& c : controls) {
        const RECT& r = c.place;
        const int grown = scaled(c.item, dpi) - c.item;
        // Edges scaled, so that controls side by side stay so.
        c.place = {scaled(r.left, dpi), scaled(r.top, dpi),
                   scaled(r.left + r.right, dpi) - scaled(r.left, dpi),
                   c.item ? r.bottom + grown : scaled(r.top + r.bottom, dpi) - scaled(r.top, dpi)};
        c.field += c.item ? grown : 0;
        c.item += grown;
    }
    return controls;
}

bool overlap(const RECT& a, const RECT& b) {
    return a.left < b.left + b.right && b.left < a.left + a.right && a.top < b.top + b.bottom &&
           b.top < a.top + a.bottom;
}

class Dpi : public ProgramTest {
protected:
    void startAt(int dpi) {
        logPixels_.set(static_cast<DWORD>(dpi));
        startWith([&] { install_record::set("REG_SZ", game_.dir()); });
        main_ = program_->mainWindow();
        ASSERT_NE(main_, nullptr);
        textes_ = findChildById(main_, "ComboBox", ids::kTextes);
        edit_ = findChildById(main_, "Edit", ids::kNouveauTexte);
        // Slot 0 with its voice and a changed text: a speaker and a pencil in the field.
        select(0);
        type("Break and attack, now!");
        clickNow(captions::kChange);
    }

    HWND open(const Form& form) {
        if (form.command == 0) {
            return main_;
        }
        post(main_, WM_COMMAND, MAKEWPARAM(form.command, 0));
        HWND box = nullptr;
        waitUntil([&] { return IsWindowVisible(box = FindWindowA(form.className, nullptr)); },
                  form.className);
        settle(box);
        return box;
    }

    // The design's layout scaled; the controls inside the client area, none over another
    // (but where the design has them so: a pixel of Save Text under Revert Text).
    static void expectLaidOut(const Form& form, HWND window, int dpi,
                              const std::vector<Control>& design) {
        const RECT client = clientRect(window);
        const std::vector<Control> controls = controlsOf(window);
        EXPECT_EQ(layout({client.right, client.bottom}, controls),
                  layout({scaled(form.client.cx, dpi), scaled(form.client.cy, dpi)},
                         scaledTo(design, dpi)));
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const RECT& r = controls[i].place;
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.left + r.right <= client.right &&
                        r.top + r.bottom <= client.bottom)
                << controls[i].name << " outside the client area";
            for (std::size_t j = 0; j < i; ++j) {
                EXPECT_TRUE(!overlap(r, controls[j].place) ||
                            (j < design.size() && i < design.size() &&
                             overlap(design[i].place, design[j].place)))
                    << controls[i].name << " over " << controls[j].name;
            }
        }
    }

    // Every caption whole: the labels as drawn in the font at their places; the buttons' and
    // check boxes' captions, measured in it, inside their controls beside their pictures.
    static void expectCaptions(const Form& form, HWND window, int dpi, const Pixels& shown) {
        for (const Label& label : form.labels) {
            const Pixels text = drawnCaption(label.caption, label.cellHeight, dpi);
            const int left = scaled(label.left, dpi), top = scaled(label.top, dpi);
            int wrong = 0;
            for (int y = 0; y < text.height; ++y) {
                for (int x = 0; x < text.width; ++x) {
                    wrong += left + x >= shown.width || top + y >= shown.height ||
                             !alike(shown.at(left + x, top + y), text.at(x, y));
                }
            }
            EXPECT_EQ(wrong, 0) << "pixels of \"" << label.caption << "\" not as drawn";
        }
        for (const Control& c : controlsOf(window)) {
            if (classOf(c.window) != "Button") {
                continue;
            }
            const RECT text = CaptionDc(form.cellHeight, dpi).extent(textOf(c.window), 0);
            const auto type = GetWindowLongA(c.window, GWL_STYLE) & BS_TYPEMASK;
            const auto picture = form.pictures.find(GetDlgCtrlID(c.window));
            // A check box's box and gap; a button's frame, and its picture with its margins.
            const int beside = type == BS_AUTOCHECKBOX          ? scaled(13 + 4, dpi)
                               : picture == form.pictures.end() ? scaled(8, dpi)
                                                                : scaled(picture->second + 16, dpi);
            EXPECT_TRUE(text.right + beside <= c.place.right && text.bottom <= c.place.bottom)
                << "\"" << textOf(c.window) << "\" is cut";
        }
    }

    // The speaker and the pencil at the right end of the closed list's field, left of its
    // button (as wide as a scroll bar at the scale), each in a column of its own: ink in each.
    void expectMarks(int dpi, const Pixels& shown) {
        using MetricForDpi = int(WINAPI*)(int, UINT);
        const auto metric = reinterpret_cast<MetricForDpi>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("user32.dll"), "GetSystemMetricsForDpi")));
        ASSERT_NE(metric, nullptr);
        const RECT list = placeInParent(textes_);
        const int right = list.left + list.right - 2 - metric(SM_CXVSCROLL, UINT(dpi));
        const int width = scaled(16, dpi), middle = list.top + list.bottom / 2;
        for (int column = 1; column <= 2; ++column) {
            const RECT area{right - column * width, list.top + 4, right - (column - 1) * width,
                            list.top + list.bottom - 4};
            EXPECT_GE(shown.countOther(area, shown.at(list.left + 3, middle)), scaled(12, dpi))
                << (column == 1 ? "no speaker" : "no pencil");
        }
    }

    // At 96 DPI: the screen's area of the form byte for byte as the screenshot kept of it (or
    // that screenshot taken anew); what differs stays beside the other screenshots.
    static void expectAsKept(const Form& form, const RECT& area) {
        const std::string name = std::string(form.className) + ".bmp";
        const std::string kept = windowsPath(std::string(QUILLORY_TEST_DATA) + "/forms/" + name);
        const bool writing = std::getenv("QUILLORY_WRITE_FORMS") != nullptr;
        const std::string shown = writing ? kept : screenshotFolder() + "\\96dpi-" + name;
        makeDirs(screenshotFolder());
        ASSERT_TRUE(saveScreenshot(area, shown)) << shown;
        EXPECT_TRUE(readFile(shown) == readFile(kept)) << shown << " differs from " << kept;
    }

    LogPixels logPixels_;
};

TEST_F(Dpi, EveryFormAtFourScales) {
    makeDirs(game_.path("audio\\speech"));
    writeFile(game_.path(speechName(0)), speechFile(formatBlock(1, 1, 8000, 8), pattern(800)));
    std::map<std::string, std::vector<Control>> design;  // by form, from the 96-DPI run
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(std::to_string(dpi) + " DPI");
        startAt(dpi);
        for (const Form& form : kForms) {
            SCOPED_TRACE(form.className);
            HWND window = open(form);
            ASSERT_NE(window, nullptr);
            if (dpi == 96) {
                design[form.className] = controlsOf(window);
            }
            Pixels shown;
            {
                RaisedForCapture raised(window);
                RECT area = clientRect(window);
                MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
                shown = capture(area);
                if (dpi == 96) {
                    expectAsKept(form, area);
                }
            }
            screenshot(window, std::string(form.className) + "-" + std::to_string(dpi));
            expectLaidOut(form, window, dpi, design[form.className]);
            expectCaptions(form, window, dpi, shown);
            if (HWND wave = findChildById(window, "Static", ids::kWave)) {
                // Without a take, the whole width of the waveform is the part that is kept.
                const RECT at = placeInParent(wave);
                const int middle = at.top + at.bottom / 2;
                EXPECT_EQ(
                    shown.countOther({at.left + 2, middle, at.left + at.right - 2, middle + 1},
                                     systemRgb(COLOR_WINDOW)),
                    0);
            }
            if (window != main_) {
                post(window, WM_SYSCOMMAND, SC_CLOSE);
                waitUntil([&] { return !IsWindowVisible(window); }, "the box to close");
                continue;
            }
            expectMarks(dpi, shown);
        }
        if (dpi == 96) {
            // Moved to a screen of 144 DPI, to the rectangle suggested: laid out as there.
            RECT suggested{};
            GetWindowRect(main_, &suggested);
            suggested.right += (suggested.right - suggested.left) / 2;
            suggested.bottom += (suggested.bottom - suggested.top) / 2;
            const HANDLE process =
                OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, program_->id());
            void* remote = VirtualAllocEx(process, nullptr, sizeof suggested,
                                          MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
            ASSERT_NE(remote, nullptr);
            WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr);
            CloseHandle(process);
            // Sent, as the system sends it: it returns once the window is laid out anew.
            send(main_, kDpiChanged, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(remote));
            SCOPED_TRACE("moved to 144 DPI");
            expectLaidOut(kForms[0], main_, 144, design[ids::kMainWindowClass]);
        }
        closeWindow();
        program_->answer(program_->waitForMessageBox(), kNo);
        EXPECT_EQ(program_->waitForExit(), 0);
    }
}

}  // namespace
}  // namespace quillory::e2e
