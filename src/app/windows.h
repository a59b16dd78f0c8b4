#pragma once

#include <memory>
#include <vector>

#include "ui/form.h"

namespace branding {
class frmAbout;
class frmWebsite;
}  // namespace branding
namespace localization {
class frmLanguage;
}  // namespace localization
namespace protection {
class frmHomePageChangedAlert;
class frmSpywareFoundAlert;
}  // namespace protection
namespace removal {
class frmDelete;
class frmRestore;
}  // namespace removal
namespace report {
class frmReport;
}  // namespace report
namespace update {
class frmDownload;
class frmSignatureUpdated;
}  // namespace update

namespace app {

class App;
class Form8;
class FrmMain;
class frmHidden;
class frmMenuPopUp;
class frmSplash;

// Every window of the program: each is made on first use, with the services it needs from the
// program, and lives until the program ends. The main window and the splash drive the program
// and see all of it; every other window gets only its own bundle of services.
class Windows {
 public:
  explicit Windows(App& app);
  ~Windows();
  Windows(const Windows&) = delete;
  Windows& operator=(const Windows&) = delete;

  frmSplash& splash();
  FrmMain& frmMain();
  frmHidden& hidden();
  removal::frmDelete& frmDelete();
  report::frmReport& frmReport();
  Form8& form8();
  branding::frmAbout& frmAbout();
  branding::frmWebsite& frmWebsite();
  protection::frmSpywareFoundAlert& frmSpywareFoundAlert();
  protection::frmHomePageChangedAlert& frmHomePageChangedAlert();
  update::frmDownload& frmDownload();
  update::frmSignatureUpdated& frmSignatureUpdated();
  localization::frmLanguage& frmLanguage();
  removal::frmRestore& frmRestore();
  // The tray's slide-in pop-up menu.
  frmMenuPopUp& menuPopUp();

  // The windows made so far; nullptr for one never made.
  FrmMain* MainIfMade() const { return frmMain_.get(); }
  bool HasMenuPopUp() const { return menuPopUp_ != nullptr; }

  // Every window, made when makeMissing is set, else only the ones made so far, in the order
  // the language file lists them.
  std::vector<ui::Form*> All(bool makeMissing);
  // Unloads every window but the main one, in the shutdown order.
  void UnloadAllButMain();

 private:
  App& app_;
  std::unique_ptr<frmSplash> splash_;
  std::unique_ptr<FrmMain> frmMain_;
  std::unique_ptr<frmHidden> hidden_;
  std::unique_ptr<removal::frmDelete> delete_;
  std::unique_ptr<report::frmReport> report_;
  std::unique_ptr<Form8> form8_;
  std::unique_ptr<branding::frmAbout> about_;
  std::unique_ptr<branding::frmWebsite> website_;
  std::unique_ptr<protection::frmSpywareFoundAlert> alert_;
  std::unique_ptr<protection::frmHomePageChangedAlert> homePageAlert_;
  std::unique_ptr<update::frmDownload> download_;
  std::unique_ptr<update::frmSignatureUpdated> notice_;
  std::unique_ptr<frmMenuPopUp> menuPopUp_;
  std::unique_ptr<localization::frmLanguage> language_;
  std::unique_ptr<removal::frmRestore> restore_;
};

}  // namespace app
