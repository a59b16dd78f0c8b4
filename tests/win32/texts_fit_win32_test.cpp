// Every label, button, check box, option button and frame caption of every window shows its
// whole English text on the real renderer: measured with the font the control draws with, in
// the room the control gives it. Run at the screen's resolution; ctest runs it at 96 and at 120
// dots per inch (texts_fit_120dpi), where the fonts grow faster than twips-placed controls.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/frm_main.h"
#include "app/frm_splash.h"
#include "app/form8.h"
#include "app/tray/frm_menu_pop_up.h"
#include "branding/frm_about.h"
#include "branding/frm_website.h"
#include "platform/win32/win32_machine.h"
#include "protection/frm_spyware_found_alert.h"
#include "removal/frm_delete.h"
#include "report/frm_report.h"
#include "ui/win32/win32_host.h"
#include "update/frm_download.h"
#include "update/frm_signature_updated.h"

#include "platform/win32/windows_api.h"

#include <shlobj.h>
#include <shlwapi.h>

namespace {

struct Room {
  int width;
  int height;
};

// The room a control's text has inside its window, as the common controls lay it out.
Room TextRoom(HWND hwnd, ui::ControlKind kind, int dpi) {
  RECT client{};
  GetClientRect(hwnd, &client);
  Room room{client.right, client.bottom};
  const int edge = MulDiv(3, dpi, 96);
  switch (kind) {
    case ui::ControlKind::CommandButton:
      // The push button's border and the focus rectangle inside it.
      room.width -= 2 * edge;
      room.height -= 2 * MulDiv(2, dpi, 96);
      break;
    case ui::ControlKind::CheckBox:
    case ui::ControlKind::OptionButton:
      // The box or circle and the gap after it.
      room.width -= GetSystemMetrics(SM_CXMENUCHECK) + MulDiv(4, dpi, 96);
      break;
    case ui::ControlKind::Frame:
      // The caption sits on the top edge between insets of an average character.
      room.width -= 2 * MulDiv(8, dpi, 96);
      room.height = 0x7fff;
      break;
    default:
      break;
  }
  return room;
}

// Empty when the caption fits, else what it needs against what it has.
std::string Cut(const ui::Control& control, HWND hwnd, int dpi) {
  const std::string& caption = control.Caption();
  if (caption.empty() || hwnd == nullptr) return "";
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
  if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const Room room = TextRoom(hwnd, control.Kind(), dpi);
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, font);
  UINT format = DT_CALCRECT | DT_WORDBREAK;
  // Labels and frames show "&" as it is; buttons take it for the access key.
  if (control.Kind() == ui::ControlKind::Label || control.Kind() == ui::ControlKind::Frame)
    format |= DT_NOPREFIX;
  if (control.Kind() == ui::ControlKind::Frame) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE;
  RECT need{0, 0, room.width > 0 ? room.width : 1, 0};
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &need, format);
  RECT line{0, 0, 0, 0};
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &line,
            (format & ~DT_WORDBREAK) | DT_SINGLELINE);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  if (need.right <= room.width && need.bottom <= room.height) return "";
  return control.Name() + " \"" + caption + "\" needs " + std::to_string(need.right) + "x" +
         std::to_string(need.bottom) + ", has " + std::to_string(room.width) + "x" +
         std::to_string(room.height) + " (one line: " + std::to_string(line.right) + ")";
}

class TextsFitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CleanProfile();
    const std::string settings =
        "Software\\VB and VBA Program Settings\\" BRAND_PRODUCT "\\Settings";
    SHSetValueA(HKEY_CURRENT_USER, settings.c_str(), "Language", REG_SZ, "English", 8);
    SHSetValueA(HKEY_CURRENT_USER, settings.c_str(), "showHelp", REG_SZ, "0", 2);
    SHSetValueA(HKEY_CURRENT_USER, settings.c_str(), "ranOneTime", REG_SZ, "1", 2);
    SHSetValueA(HKEY_LOCAL_MACHINE, kMachineSettings, "FirstTime", REG_SZ, "Yes", 4);
  }
  void TearDown() override {
    app_.reset();
    CleanProfile();
  }
  static void CleanProfile() {
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\" BRAND_PRODUCT);
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\" BRAND_COMPANY);
  }
  static constexpr const char* kMachineSettings =
      "SOFTWARE\\" BRAND_COMPANY "\\" BRAND_PRODUCT "\\Settings";

  platform::win32::Win32Machine real;
  ui::win32::Win32Host host{GetModuleHandleA(nullptr)};
  std::unique_ptr<app::App> app_;

  // Starts the program in a language and lists every caption of every window that does not
  // show whole in it.
  std::vector<std::string> CutCaptions(const char* language) {
    const std::string settings =
        "Software\\VB and VBA Program Settings\\" BRAND_PRODUCT "\\Settings";
    SHSetValueA(HKEY_CURRENT_USER, settings.c_str(), "Language", REG_SZ, language,
                static_cast<DWORD>(std::strlen(language) + 1));
    app_ = std::make_unique<app::App>(real.machine, host);
    app_->Start();
    // The splash hands over to the main window after its timer.
    for (int waited = 0; waited < 15000 && !app_->windows.frmMain().Visible(); waited += 50) {
      host.DoEvents();
      Sleep(50);
    }
    EXPECT_TRUE(app_->windows.frmMain().Visible());
    std::vector<std::string> cuts;
    for (ui::Form* form : app_->windows.All(true)) {
      // The splash has handed over; loading it again would start it over.
      if (form == &app_->windows.splash()) continue;
      form->Load();
      host.DoEvents();
      for (ui::Control* control : form->Descendants()) {
        switch (control->Kind()) {
          case ui::ControlKind::Label:
          case ui::ControlKind::CommandButton:
          case ui::ControlKind::CheckBox:
          case ui::ControlKind::OptionButton:
          case ui::ControlKind::Frame:
            break;
          default:
            continue;
        }
        const std::string cut = Cut(*control, host.WindowOf(*control), Dpi());
        if (!cut.empty()) cuts.push_back(form->Name() + "." + cut);
      }
    }
    app_->windows.frmSignatureUpdated().Unload();
    return cuts;
  }
  static int Dpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
  }
  static std::string Lines(const std::vector<std::string>& cuts) {
    std::string all;
    for (const std::string& cut : cuts) all += "\n  " + cut;
    return all;
  }
};

TEST_F(TextsFitTest, EveryCaptionOfEveryWindowShowsWhole) {
  // The 120 dpi run sets the resolution in the registry first; a Wine that ignored it would
  // make that run a second 96 dpi run.
  if (const char* wanted = std::getenv("TEXTS_FIT_DPI")) ASSERT_EQ(Dpi(), std::atoi(wanted));
  const std::vector<std::string> cuts = CutCaptions("English");
  EXPECT_TRUE(cuts.empty()) << "at " << Dpi() << " dpi:" << Lines(cuts);
}

TEST_F(TextsFitTest, EveryCaptionOfEveryWindowShowsWholeInGerman) {
  const std::vector<std::string> cuts = CutCaptions("German");
  EXPECT_TRUE(cuts.empty()) << "at " << Dpi() << " dpi:" << Lines(cuts);
}

}  // namespace
