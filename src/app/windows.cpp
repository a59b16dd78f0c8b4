// The window factory: each window made with its own services, listed for the language file and
// unloaded in the shutdown order.
#include "app/windows.h"

#include "app/app.h"
#include "app/form8.h"
#include "app/frm_hidden.h"
#include "app/frm_main.h"
#include "app/frm_splash.h"
#include "app/options.h"
#include "app/tray/frm_menu_pop_up.h"
#include "branding/frm_about.h"
#include "branding/frm_website.h"
#include "localization/frm_language.h"
#include "localization/language_download.h"
#include "protection/frm_home_page_changed_alert.h"
#include "protection/frm_spyware_found_alert.h"
#include "protection/home_page_shield.h"
#include "removal/frm_delete.h"
#include "removal/frm_restore.h"
#include "report/frm_report.h"
#include "update/frm_download.h"
#include "update/frm_signature_updated.h"
#include "update/server_address.h"

namespace app {

Windows::Windows(App& app) : app_(app) {}

Windows::~Windows() = default;

std::vector<ui::Form*> Windows::All(bool makeMissing) {
  std::vector<ui::Form*> windows;
  const auto add = [&](const auto& window, auto make) {
    if (!window && makeMissing) make();
    if (window) windows.push_back(window.get());
  };
  // One line per window, in the order the language file lists them.
  add(frmMain_, [this] { frmMain(); });
  add(delete_, [this] { frmDelete(); });
  add(download_, [this] { frmDownload(); });
  add(menuPopUp_, [this] { menuPopUp(); });
  add(notice_, [this] { frmSignatureUpdated(); });
  add(alert_, [this] { frmSpywareFoundAlert(); });
  add(homePageAlert_, [this] { frmHomePageChangedAlert(); });
  add(report_, [this] { frmReport(); });
  add(about_, [this] { frmAbout(); });
  add(language_, [this] { frmLanguage(); });
  add(form8_, [this] { form8(); });
  add(splash_, [this] { splash(); });
  add(hidden_, [this] { hidden(); });
  add(website_, [this] { frmWebsite(); });
  add(restore_, [this] { frmRestore(); });
  return windows;
}

void Windows::UnloadAllButMain() {
  if (download_) download_->Unload();
  if (homePageAlert_) homePageAlert_->Unload();
  if (notice_) notice_->Unload();
  if (form8_) form8_->Unload();
  if (about_) about_->Unload();
  if (report_) report_->Unload();
  if (alert_) alert_->Unload();
  if (menuPopUp_) menuPopUp_->Unload();
  if (hidden_) hidden_->Unload();
  if (delete_) delete_->Unload();
  if (language_) language_->Unload();
  if (restore_) restore_->Unload();
}

frmSplash& Windows::splash() {
  if (!splash_) splash_ = std::make_unique<frmSplash>(app_);
  return *splash_;
}

FrmMain& Windows::frmMain() {
  if (!frmMain_) frmMain_ = std::make_unique<FrmMain>(app_);
  return *frmMain_;
}

frmHidden& Windows::hidden() {
  if (!hidden_) hidden_ = std::make_unique<frmHidden>(app_.host);
  return *hidden_;
}

removal::frmDelete& Windows::frmDelete() {
  if (!delete_) delete_ = std::make_unique<removal::frmDelete>(app_.host, app_.machine.clipboard);
  return *delete_;
}

report::frmReport& Windows::frmReport() {
  if (!report_) {
    report_ = std::make_unique<report::frmReport>(app_.host, app_.machine.files,
                                                  app_.state.dataFolder, app_.brand);
  }
  return *report_;
}

Form8& Windows::form8() {
  if (!form8_) {
    form8_ = std::make_unique<Form8>(
        app_.host,
        Form8::Services{app_.machine, [this](const std::string& key, const std::string& value) {
                          app_.SaveMachineSetting("Settings", key, value);
                        }});
  }
  return *form8_;
}

branding::frmAbout& Windows::frmAbout() {
  if (!about_) {
    about_ = std::make_unique<branding::frmAbout>(app_.host, app_.machine.system, app_.brand,
                                                  [this] { frmWebsite().Load(); });
  }
  return *about_;
}

branding::frmWebsite& Windows::frmWebsite() {
  if (!website_) {
    website_ = std::make_unique<branding::frmWebsite>(app_.host, app_.machine, app_.brand);
  }
  return *website_;
}

protection::frmSpywareFoundAlert& Windows::frmSpywareFoundAlert() {
  if (!alert_) {
    alert_ = std::make_unique<protection::frmSpywareFoundAlert>(
        app_.host, protection::frmSpywareFoundAlert::Services{
                       app_.machine, app_.exclusions, app_.state.dataFolder, app_.brand.ProgramName,
                       [this](const std::string& key) { return app_.Message(key); }});
  }
  return *alert_;
}

protection::frmHomePageChangedAlert& Windows::frmHomePageChangedAlert() {
  if (!homePageAlert_) {
    homePageAlert_ = std::make_unique<protection::frmHomePageChangedAlert>(
        app_.host,
        protection::frmHomePageChangedAlert::Services{
            .programName = [this] { return app_.brand.ProgramName; },
            .translate =
                [this](const std::string& key) { return app_.languages.TranslateKey(key); },
            .restore = [this] { app_.homePageShield().PutBackSavedPage(); },
            .accept = [this] { app_.homePageShield().AcceptHomePage(); },
        });
  }
  return *homePageAlert_;
}

update::frmDownload& Windows::frmDownload() {
  if (!download_) {
    download_ = std::make_unique<update::frmDownload>(
        app_.host,
        update::frmDownload::Services{
            app_.machine.tray, [this](const std::string& key) { return app_.Message(key); },
            [this] {
              return app_.GetSetting(option::kMinimized.section, option::kMinimized.key,
                                     option::kMinimized.defaultText) == "Yes";
            }});
  }
  return *download_;
}

update::frmSignatureUpdated& Windows::frmSignatureUpdated() {
  if (!notice_) {
    notice_ = std::make_unique<update::frmSignatureUpdated>(
        app_.host, update::frmSignatureUpdated::Services{
                       app_.machine.desktop,
                       [this](const std::string& key, const std::string& value) {
                         app_.SaveSetting("OptionAndSettings", key, value);
                       },
                       [this] {
                         if (download_) download_->RemoveTrayIcon();
                       }});
  }
  return *notice_;
}

localization::frmLanguage& Windows::frmLanguage() {
  if (!language_) {
    language_ = std::make_unique<localization::frmLanguage>(
        app_.host, localization::frmLanguage::Services{
                       app_.machine, app_.languages,
                       [this] {
                         return app_.GetSetting(option::kLanguage.section, option::kLanguage.key,
                                                option::kLanguage.defaultText);
                       },
                       [this](const std::string& language) { app_.ApplyLanguage(language); },
                       [this] {
                         return localization::LanguageFileAddress(
                             update::LanguageServer(app_.machine.registry, app_.brand.CompanyName,
                                                    app_.brand.ProgramName),
                             app_.brand.BrandNumber);
                       },
                       [this](const std::string& url) { return app_.GetUrlText(url); },
                       [this](const std::string& text) { app_.Tell(text, platform::kMbOk); }});
  }
  return *language_;
}

removal::frmRestore& Windows::frmRestore() {
  if (!restore_) {
    restore_ = std::make_unique<removal::frmRestore>(
        app_.host,
        removal::frmRestore::Services{
            app_.machine, app_.quarantine, app_.protectedPaths,
            [this](const char* key) { return app_.Message(key); },
            [this](const std::string& text, std::uint32_t style) { return app_.Tell(text, style); },
            [this](const std::string& text) { app_.AddExclusion(text); }});
  }
  return *restore_;
}

frmMenuPopUp& Windows::menuPopUp() {
  if (!menuPopUp_) {
    menuPopUp_ = std::make_unique<frmMenuPopUp>(
        app_.host, frmMenuPopUp::Services{
                       .desktop = app_.machine.desktop,
                       .programName = [this] { return app_.brand.ProgramName; },
                       .mainWindowShown = [this] { return frmMain().Visible(); },
                       .showMainWindow =
                           [this] {
                             frmMain().SetWindowState(ui::WindowState::Normal);
                             frmMain().Show();
                           },
                       .closeProgram =
                           [this] {
                             app_.SaveSetting(option::kRestart.section, option::kRestart.key,
                                              OptionText(option::kRestart, false));
                             app_.SaveSetting(option::kStatus.section, option::kStatus.key,
                                              "STOPPED");
                             app_.tray.RemoveIcon(frmMain());
                             // The main window's shutdown follows and ends the process.
                             frmMain().Unload();
                           },
                   });
  }
  return *menuPopUp_;
}

}  // namespace app
