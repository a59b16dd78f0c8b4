#include "app/frm_main.h"

#include <cstdlib>

#include "app/app.h"
#include "app/form8.h"
#include "branding/frm_about.h"
#include "branding/frm_website.h"
#include "common/file_tests.h"
#include "report/frm_report.h"
#include "ui/design.h"

namespace app {

namespace {

ui::FormArgs MainDesign() {
  ui::FormArgs args;
  args.name = "FrmMain";
  args.caption = "Derivi dad Ivozize Viviraz";
  args.clientWidth = 9135;
  args.clientHeight = 5640;
  args.startPosition = ui::StartPosition::CenterScreen;
  args.icon = "AAA";
  return args;
}

constexpr int kNavLeft = 120;
constexpr int kNavWidth = 1455;
constexpr int kPageLeft = 1695;
constexpr int kPageTop = 615;
constexpr int kPageWidth = 7320;
constexpr int kPageHeight = 4830;

}  // namespace

ui::Frame& FrmMain::View(int index) {
  while (!frmView.Contains(index)) {
    auto& page = frmView.Add(frmOptions, ui::At("", "", 60, 360, kPageWidth - 240, kPageHeight - 420));
    page.border = false;
  }
  return frmView(index);
}

FrmMain::FrmMain(App& app)
    : ui::Form(app.host, MainDesign()),
      app_(app),
      Command5(*this, ui::At("Command5", "Send to Tray", kNavLeft, 120, kNavWidth, 375)),
      cmdWebsite(*this, ui::At("cmdWebsite", "Visit YourWebsite.com", kPageLeft, 120, 7240, 375)),
      cmdStatus(*this, ui::At("cmdStatus", "Status", kNavLeft, 615, kNavWidth, 435)),
      cmdScan(*this, ui::At("cmdScan", "Scan Now", kNavLeft, 1155, kNavWidth, 435)),
      cmdSettings(*this, ui::At("cmdSettings", "Settings", kNavLeft, 1695, kNavWidth, 435)),
      cmdLog(*this, ui::At("cmdLog", "View Log", kNavLeft, 2235, kNavWidth, 435)),
      cmdUpdate(*this, ui::At("cmdUpdate", "Live Update", kNavLeft, 2775, kNavWidth, 435)),
      cmdResults(*this, ui::At("cmdResults", "Results/Removal", kNavLeft, 3315, kNavWidth, 435, false)),
      lblHide(*this, ui::At("lblHide", "X", 8880, 0, 255, 255, false)),

      frmStatus(*this, ui::At("frmStatus", "Status", kPageLeft, kPageTop, kPageWidth, kPageHeight)),
      Label22(frmStatus, ui::Bolded(ui::At("Label22", "", 120, 360, 6960, 495))),
      // The full-scan and removed-traces rows are hidden; their values are kept up all the same.
      Label10(frmStatus, ui::At("Label10", "Your last full system scan was completed:", 120, 3240, 4860,
                           255, false)),
      lblLastFullScan(frmStatus, ui::At("lblLastFullScan", "", 4980, 3240, 2220, 255, false)),
      Label11(frmStatus, ui::At("Label11", "Your last scan was completed:", 120, 1080, 4860, 255)),
      lblLastScan(frmStatus, ui::At("lblLastScan", "", 4980, 1080, 2220, 255)),
      Label12(frmStatus, ui::At("Label12", "You have removed this many adware and spyware traces:", 120,
                           3600, 4860, 255, false)),
      lblDefRemoved(frmStatus, ui::At("lblDefRemoved", "", 4980, 3600, 2220, 255, false)),
      Label13(frmStatus, ui::At("Label13", "You are protected against this many Adware/Spyware traces:",
                           120, 1440, 4860, 255)),
      lblDefCount(frmStatus, ui::At("lblDefCount", "", 4980, 1440, 2220, 255)),
      Label14(frmStatus, ui::At("Label14", "Your definitions were last updated:", 120, 1800, 4860, 255)),
      lblDefVersion(frmStatus, ui::At("lblDefVersion", "", 4980, 1800, 2220, 255)),
      Label15(frmStatus, ui::At("Label15", "This program's version number is:", 120, 2160, 4860, 255)),
      lblVersion(frmStatus, ui::At("lblVersion", "", 4980, 2160, 2220, 255)),
      lblDefAgeCaption(frmStatus, ui::At("lblDefAgeCaption", "Your definitions are this many days old:",
                                         120, 2520, 4860, 255)),
      lblDefAge(frmStatus, ui::At("lblDefAge", "", 4980, 2520, 2220, 255)),
      lblUpdateOverdue(frmStatus,
                       ui::Bolded(ui::At("lblUpdateOverdue", "", 120, 2880, 7080, 495, false))),

      frmScan(*this, ui::At("frmScan", "Scan", kPageLeft, kPageTop, kPageWidth, kPageHeight)),
      cmdScanNow(frmScan, ui::At("cmdScanNow", "Start", 240, 360, 1215, 375)),
      cmdPause(frmScan, ui::At("cmdPause", "Pause", 1560, 360, 1215, 375, true, false)),
      cmdStop(frmScan, ui::At("cmdStop", "Stop", 2880, 360, 1215, 375, true, false)),
      lblStart(frmScan, ui::At("lblStart", "Start", 4320, 420, 735, 255, false)),
      lblPause(frmScan, ui::At("lblPause", "Pause", 5160, 420, 735, 255, false)),
      lblStop(frmScan, ui::At("lblStop", "Stop", 6000, 420, 735, 255, false)),
      Label3(frmScan, ui::At("Label3", "Processes/Cookies Inspected", 600, 900, 2640, 255)),
      lblMemoryInspected(frmScan, ui::At("lblMemoryInspected", "0", 3300, 900, 780, 255)),
      Label4(frmScan, ui::At("Label4", "Registry Entries Inspected", 600, 1200, 2640, 255)),
      lblRegistryInspected(frmScan, ui::At("lblRegistryInspected", "0", 3300, 1200, 780, 255)),
      Label5(frmScan, ui::At("Label5", "Files/Folders Inspected", 600, 1500, 2640, 255)),
      lblFilesFolderInspected(frmScan, ui::At("lblFilesFolderInspected", "0", 3300, 1500, 780, 255)),
      Label6(frmScan, ui::At("Label6", "Adware/Spyware Found", 4200, 900, 2280, 255)),
      lblSoftwareFound(frmScan, ui::Bolded(ui::At("lblSoftwareFound", "0", 6540, 900, 600, 255))),
      Label7(frmScan, ui::At("Label7", "Running Programs", 4200, 1200, 2280, 255)),
      lblTotalNoOfRunningItems(frmScan, ui::At("lblTotalNoOfRunningItems", "0", 6540, 1200, 600, 255)),
      lblPercentageCompleted(frmScan, ui::At("lblPercentageCompleted", "", 4200, 1500, 2880, 255)),
      shpCircle(frmScan, ui::At("shpCircle", "", 1215, 645, 135, 135, false), ui::ShapeKind::Circle),
      pbgMain(frmScan, ui::At("pbgMain", "", 240, 1860, 6840, 255, false)),
      lvwSpywareFound(frmScan, ui::At("lvwSpywareFound", "", 240, 1860, 6840, 1620)),
      SkinLabel7(frmScan, ui::At("SkinLabel7", "Current:", 240, 3600, 780, 255)),
      pb1(frmScan, ui::At("pb1", "", 1080, 3600, 6000, 225)),
      SkinLabel8(frmScan, ui::At("SkinLabel8", "Overall:", 240, 3885, 780, 255)),
      pb2(frmScan, ui::At("pb2", "", 1080, 3885, 6000, 225)),
      cmdRemove(frmScan, ui::Bolded(ui::At("cmdRemove", "Click Here to Continue", 4860, 4215, 2220, 375, false))),
      // A link in the corner the hidden text commands leave free.
      lblViewLogFile(frmScan, [] {
        auto args = ui::At("lblViewLogFile", "Show Report", 5160, 420, 1920, 255);
        args.alignment = ui::Alignment::Right;
        args.underline = true;
        args.foreColor = 0x00CC6600;  // a link's blue
        return args;
      }()),

      frmResults(*this, ui::At("frmResults", "Results", kPageLeft, kPageTop, kPageWidth, kPageHeight)),
      Label8(frmResults, ui::At("Label8", "Adware/Spyware Found:", 240, 300, 1935, 255)),
      lblRemovePicSoftwareFound(frmResults,
                                ui::Bolded(ui::At("lblRemovePicSoftwareFound", "0", 2220, 300, 900, 255))),
      Label9(frmResults, ui::At("Label9", "Traces Found:", 3360, 300, 1455, 255)),
      lbltracesFound(frmResults, ui::Bolded(ui::At("lbltracesFound", "0", 4860, 300, 900, 255))),
      lvwPicRemoveListOfSpywareFoundAndToBeRemoved(
          frmResults,
          ui::At("lvwPicRemoveListOfSpywareFoundAndToBeRemoved", "", 240, 660, 6840, 3435)),
      cmdSelectAll(frmResults, ui::At("cmdSelectAll", "Select All", 240, 4215, 1215, 375)),
      cmdExclude(frmResults, ui::At("cmdExclude", "Exclude", 1560, 4215, 1215, 375)),
      Command4(frmResults, ui::At("Command4", "Delete", 2880, 4215, 1215, 375)),
      pgbDeleteSpywaresFound(frmResults, ui::At("pgbDeleteSpywaresFound", "", 4320, 4275, 2760, 255)),
      lblDeletingPercentageCompleted(
          frmResults, ui::At("lblDeletingPercentageCompleted", "", 4320, 4535, 2760, 195)),
      lblDeletingCaption(frmResults, ui::At("lblDeletingCaption", "", 4320, 4830, 2760, 195)),

      frmOptions(*this, ui::At("frmOptions", "Frame1", kPageLeft, kPageTop, kPageWidth, kPageHeight)),
      TabStrip1(frmOptions, ui::At("TabStrip1", "", 0, 0, kPageWidth, kPageHeight)),
      Frame2(View(0), ui::At("Frame2", "Scan Type", 120, 120, 3300, 1035)),
      optScanAllSelectedHardDrive(
          Frame2, ui::At("optScanAllSelectedHardDrive", "Complete System Scan", 180, 330, 3000, 255)),
      optScanOnlyKnownSoftwares(Frame2,
                                ui::At("optScanOnlyKnownSoftwares", "Quick Scan", 180, 660, 3000, 255)),
      Frame3(View(0), ui::At("Frame3", "Drive Selection", 3600, 120, 3240, 2175)),
      lvwHardDrives(Frame3, ui::At("lvwHardDrives", "", 180, 330, 2880, 1665)),
      chkSweepMemory(View(0), ui::At("chkSweepMemory", "Scan Proccesses and Files", 180, 1320, 3240, 255)),
      chkScanRegistry(View(0), ui::At("chkScanRegistry", "Scan Windows Registry", 180, 1620, 3240, 255)),
      chkScanCookies(View(0), ui::At("chkScanCookies", "Scan Internet Cookies", 180, 1920, 3240, 255)),
      chkMakeLog(View(0), ui::At("chkMakeLog", "Save scan results to log", 180, 2460, 6600, 255)),
      chkSendData(View(0), ui::At("chkSendData",
                             "Send anonymous data to help identify unknown spyware", 180, 2760,
                             6600, 255)),
      Frame4(View(1), ui::At("Frame4", "Home Page Hijack Protection", 120, 120, 6720, 735)),
      chkHomePage(Frame4, ui::At("chkHomePage", "Enable", 240, 330, 3000, 255)),
      Frame5(View(1), ui::At("Frame5", "Auto-Protect", 120, 975, 6720, 735)),
      chkAutoProtect(Frame5, ui::At("chkAutoProtect", "Enable", 240, 330, 3000, 255)),
      Frame6(View(1), ui::At("Frame6", "Run at Windows Startup", 120, 1830, 6720, 735)),
      chkRunAtStartup(Frame6, ui::At("chkRunAtStartup",
                                "Run at Startup and protect my computer automatically", 240, 330,
                                6240, 255)),
      Label16(View(1), ui::At("Label16", "When a change in my Home Page is detected:", 120, 2700, 4500,
                         255, false)),
      optIEHomePageSheildOn(View(1), ui::At("optIEHomePageSheildOn", "Enabled", 120, 3000, 1500, 255,
                                       false)),
      optIEHomePageSheildOff(View(1), ui::At("optIEHomePageSheildOff", "Disabled", 1740, 3000, 1500,
                                        255, false)),
      optAlwaysnotifybeforerestoring(View(1), ui::At("optAlwaysnotifybeforerestoring",
                                                "Ask me what I would like to do", 120, 3300,
                                                3300, 255, false)),
      optRestoredefaultwithoutnotification(
          View(1), ui::At("optRestoredefaultwithoutnotification",
                     "Silently restore my original home page", 3480, 3300, 3300, 255, false)),
      optMemorySheildOn(View(1), ui::At("optMemorySheildOn", "Enabled", 120, 3600, 1500, 255, false)),
      optMemorySheildOff(View(1),
                         ui::At("optMemorySheildOff", "Disabled", 1740, 3600, 1500, 255, false)),
      chkAutomaticScanYesOrNo(View(2), ui::At("chkAutomaticScanYesOrNo", "Enable Scheduled Scans", 180,
                                         180, 4500, 255)),
      Label17(View(2), ui::At("Label17", "Run on:", 180, 660, 960, 255)),
      cmbDays(View(2), ui::At("cmbDays", "", 1200, 600, 2400, 315, true, false)),
      Label18(View(2), ui::At("Label18", "Date:", 180, 1080, 960, 255)),
      dtpScheduleDate(View(2), ui::At("dtpScheduleDate", "", 1200, 1020, 2400, 315, true, false),
                      ui::DateFormat::ShortDate),
      Label19(View(2), ui::At("Label19", "Time:", 180, 1500, 960, 255)),
      dtpScheduleTime(View(2), ui::At("dtpScheduleTime", "", 1200, 1440, 2400, 315, true, false),
                      ui::DateFormat::Time),
      chkAutoDel(View(2), ui::At("chkAutoDel", "Delete spyware automatically after scheduled scan",
                            180, 1980, 6600, 255)),
      cmdDefaultSetting(View(2), ui::At("cmdDefaultSetting", "Reset", 180, 2460, 1215, 375)),
      CmdProceed(View(2), ui::At("CmdProceed", "Apply", 1500, 2460, 1215, 375)),
      chkAutomaticUpdate(View(3), ui::At("chkAutomaticUpdate",
                                    "Enable automatic Live update (recommended)", 180, 180, 6600,
                                    255)),
      cmdLiveUpdate(View(3),
                    ui::At("cmdLiveUpdate", "Run Live Update Now", 180, 540, 2160, 375, false)),
      lblLastUpdate(View(3), ui::At("lblLastUpdate", "", 2460, 600, 4560, 255, false)),
      Label20(View(3), ui::At("Label20",
                         "Please enter a file or spyware name below (no path) and press submit",
                         180, 1140, 6600, 255)),
      txtFilename(View(3), ui::At("txtFilename", "", 180, 1440, 4080, 315)),
      Command2(View(3), ui::At("Command2", "Browse", 4380, 1410, 1095, 375)),
      cmdSubmit(View(3), ui::At("cmdSubmit", "Submit", 5580, 1410, 1095, 375)),
      Label26(View(3), ui::At("Label26", "Results:", 180, 1920, 6600, 495)),
      CD1(View(3), ui::At("CD1", "", 0, 0, 0, 0)),

      Frame(*this, ui::At("Frame", "DO NOT HIDE THIS FRAME BY ITS PROPERTIES", 120, 6600, 8880, 2400)),
      tmrScroll(Frame, ui::At("tmrScroll", "", 0, 0, 0, 0), 200, true),
      tmrScheduler(Frame, ui::At("tmrScheduler", "", 0, 0, 0, 0), 10, true),
      tmrCheckHomePage(Frame, ui::At("tmrCheckHomePage", "", 0, 0, 0, 0), 5000, true),
      tmrMemoryInspected(Frame, ui::At("tmrMemoryInspected", "", 0, 0, 0, 0), 10000, true),
      timUpdate(Frame, ui::At("timUpdate", "", 0, 0, 0, 0), 1000, false),
      tmrTimeOut(Frame, ui::At("tmrTimeOut", "", 0, 0, 0, 0), 30000, true),
      lvwFilesToBeDeleted(Frame, ui::At("lvwFilesToBeDeleted", "", 120, 300, 1680, 1935)),
      lvwFileNotFounds(Frame, ui::At("lvwFileNotFounds", "", 1920, 300, 1680, 1935)),
      lvwBlockedCookies(Frame, ui::At("lvwBlockedCookies", "", 3720, 300, 1680, 1935)),
      lvwCookiesToDelete(Frame, ui::At("lvwCookiesToDelete", "", 5520, 300, 1680, 1935)),
      lvwRegistryToBeDeleted(Frame, ui::At("lvwRegistryToBeDeleted", "", 7320, 300, 1440, 1935)),

      mnuFile(*this, ui::At("mnuFile", "File", 0, 0, 0, 0),
              {"Scan Now", "Scan Results", "View Log", "-", "Run Live Update", "-",
               "Minimize to Tray", "-", "Exit"}),
      mnuSettings(*this, ui::At("mnuSettings", "Settings", 0, 0, 0, 0),
                  {"Scan Options", "Proactive Protection", "Schedule", "Auto Update"}),
      mnuQuar(*this, ui::At("mnuQuar", "Quarantine", 0, 0, 0, 0),
              {"View Quarantine", "View Exclusions", "Restore..."}),
      mnuLanuages(*this, ui::At("mnuLanuages", "Languages", 0, 0, 0, 0), {"Change Language"}),
      mnuHelp(*this, ui::At("mnuHelp", "Help", 0, 0, 0, 0), {"View Help"}),
      mnuAbout(*this, ui::At("mnuAbout", "About", 0, 0, 0, 0), {"About this software"}) {
  auto statusCaption = ui::At("", "Status:", 240, 4275, 780, 255);
  statusCaption.index = 1;
  statusCaption.bold = true;
  auto statusLine = ui::At("", "", 1080, 4275, 3660, 255);
  statusLine.index = 0;
  // The status line first: the language file keys both labels alike and the first one's item
  // wins, and the line's empty item leaves both captions alone.
  lblStatus.Add(frmScan, statusLine);
  lblStatus.Add(frmScan, statusCaption);

  for (const char* tab : {"Scan Options", "Proactive Protection", "Schedule", "Auto Update"}) {
    TabStrip1.AddTab(tab);
  }
  frmOptions.border = false;

  lvwSpywareFound.AddColumn("Spyware/Adware Found", 6600);
  lvwSpywareFound.hideColumnHeaders = true;
  lvwSpywareFound.smallIcons = {"ICO_COOKIE", "ICO_REGISTRY", "ICO_FILE", "ICO_FOLDER",
                                "ICO_EXCLUDED"};
  auto& results = lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
  results.checkBoxes = true;
  results.smallIcons = lvwSpywareFound.smallIcons;
  results.AddColumn("Spyware/Adware Found", 1400);
  results.AddColumn("Location", 1400);
  results.AddColumn("Type", 1400);
  lvwHardDrives.checkBoxes = true;
  lvwHardDrives.hideColumnHeaders = true;
  lvwHardDrives.AddColumn("Drive", 2400);
  lvwHardDrives.SetVisible(false);
  for (ui::ListView* work : {&lvwFilesToBeDeleted, &lvwFileNotFounds, &lvwBlockedCookies,
                             &lvwCookiesToDelete, &lvwRegistryToBeDeleted}) {
    work->checkBoxes = true;
    for (const char* column : {"Item", "Detail", "Type", "Threat"}) work->AddColumn(column, 1400);
  }
  for (const char* day : {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday",
                          "Sunday", "Daily", "Date & Time", "Never!"}) {
    cmbDays.AddItem(day);
  }
  chkRunAtStartup.SetToolTipText("Click this option to automatically run at startup");
  Command4.SetToolTipText("Permanently delete selected items");
  dtpScheduleDate.checkBox = true;
  dtpScheduleTime.checkBox = true;
  mnuFile.SetItemVisible(1, false);
  CD1.filter = "All Files (*.*)|*.*";

  ConnectHandlers();
  HideAllPages();
  frmStatus.SetVisible(true);
  TabStrip1_Click();
}

void FrmMain::ConnectHandlers() {
  cmdStatus.OnClick = [this] { cmdStatus_Click(); };
  cmdScan.OnClick = [this] { cmdScan_Click(); };
  cmdSettings.OnClick = [this] { cmdSettings_Click(); };
  cmdResults.OnClick = [this] { cmdResults_Click(); };
  cmdRemove.OnClick = [this] { cmdResults_Click(); };
  Command4.OnClick = [this] { Command4_Click(); };
  cmdWebsite.OnClick = [this] { cmdWebsite_Click(); };
  cmdLog.OnClick = [this] { cmdLog_Click(); };
  lblViewLogFile.OnClick = [this] { lblViewLogFile_Click(); };
  Command5.OnClick = [this] { SendToTray(); };
  cmdLiveUpdate.OnClick = [this] { cmdUpdate.Click(); };
  cmdUpdate.OnClick = [this] { cmdUpdate_Click(); };
  cmdUpdate.OnMouseDown = [this](const ui::MouseArgs& args) { cmdUpdate_MouseDown(args); };
  timUpdate.OnTick = [this] { timUpdate_Timer(); };
  tmrMemoryInspected.OnTick = [this] { tmrMemoryInspected_Timer(); };
  tmrCheckHomePage.OnTick = [this] { CheckHomePage(); };
  Command2.OnClick = [this] { Command2_Click(); };
  cmdSubmit.OnClick = [this] { cmdSubmit_Click(); };
  lblHide.OnClick = [this] { ShutdownSequence(); };
  TabStrip1.OnClick = [this] { TabStrip1_Click(); };
  cmdScanNow.OnClick = [this] { cmdScanNow_Click(); };
  cmdStop.OnClick = [this] { cmdStop_Click(); };
  cmdPause.OnClick = [this] { cmdPause_Click(); };
  lblStart.OnClick = [this] { lblStart_Click(); };
  lblStop.OnClick = [this] { lblStop_Click(); };
  lblPause.OnClick = [this] { lblPause_Click(); };
  cmdSelectAll.OnClick = [this] { cmdSelectAll_Click(); };
  cmdExclude.OnClick = [this] { ExcludeSelected(); };
  lvwPicRemoveListOfSpywareFoundAndToBeRemoved.OnItemCheck = [this](int row) {
    CheckTraceRows(row);
  };
  lvwHardDrives.OnItemCheck = [this](int row) { lvwHardDrives_ItemCheck(row); };
  // The hover look of the text commands: italic under the mouse, plain again off them.
  for (ui::Label* command : {&lblStart, &lblPause, &lblStop}) {
    command->OnMouseMove = [this, command](const ui::MouseArgs&) {
      command->SetItalic(true);
      if (command != &lblStart) GetHost().SetMousePointer(ui::kPointerDefault);
    };
  }
  OnMouseMove = [this](const ui::MouseArgs& args) { Form_MouseMove(args); };
  OnTaskbarCreated = [this] { app_.tray.RestoreIcon(); };
  frmScan.OnMouseMove = [this](const ui::MouseArgs&) {
    for (ui::Label* command : {&lblStart, &lblPause, &lblStop}) command->SetItalic(false);
    GetHost().SetMousePointer(cmdScan.Enabled() ? ui::kPointerDefault : ui::kPointerHourglass);
  };
  mnuFile.OnItemClick = [this](int index) { mnuFile_Click(index); };
  mnuSettings.OnItemClick = [this](int index) { mnuSettings_Click(index); };
  mnuQuar.OnItemClick = [this](int index) { mnuQuar_Click(index); };
  mnuLanuages.OnItemClick = [this](int index) { mnuLanuages_Click(index); };
  mnuHelp.OnItemClick = [this](int index) { mnuHelp_Click(index); };
  mnuAbout.OnItemClick = [this](int index) { mnuAbout_Click(index); };

  auto flag = [this](ui::CheckBox& box, const char* section) {
    box.OnClick = [this, &box, section] {
      SaveSetting(section, box.Name(), box.Checked() ? "1" : "0");
    };
  };
  for (ui::CheckBox* box :
       {&chkMakeLog, &chkSweepMemory, &chkScanRegistry, &chkScanCookies, &chkAutomaticUpdate}) {
    flag(*box, kOptions);
  }
  flag(chkAutoDel, "Settings");
  chkHomePage.OnClick = [this] { chkHomePage_Click(); };
  chkAutoProtect.OnClick = [this] { chkAutoProtect_Click(); };
  optIEHomePageSheildOn.OnClick = [this] { HomePageOption_Click(); };
  optIEHomePageSheildOff.OnClick = [this] { HomePageOption_Click(); };
  optMemorySheildOn.OnClick = [this] { MemoryOption_Click(); };
  optMemorySheildOff.OnClick = [this] { MemoryOption_Click(); };
  optAlwaysnotifybeforerestoring.OnClick = [this] { RestoreOption_Click(); };
  optRestoredefaultwithoutnotification.OnClick = [this] { RestoreOption_Click(); };
  optScanAllSelectedHardDrive.OnClick = [this] { ScanTypeOption_Click(); };
  optScanOnlyKnownSoftwares.OnClick = [this] { ScanTypeOption_Click(); };
  chkRunAtStartup.OnClick = [this] { chkRunAtStartup_Click(); };
  chkSendData.OnMouseUp = [this](const ui::MouseArgs& args) { chkSendData_MouseUp(args); };
  cmdDefaultSetting.OnClick = [this] { cmdDefaultSetting_Click(); };
  ConnectScheduleHandlers();
}

void FrmMain::HideAllPages() {
  frmOptions.SetVisible(false);
  frmScan.SetVisible(false);
  frmResults.SetVisible(false);
  frmStatus.SetVisible(false);
  ShowRemovalProgress(false);
}

void FrmMain::cmdStatus_Click() {
  HideAllPages();
  frmStatus.SetVisible(true);
}

void FrmMain::cmdScan_Click() {
  HideAllPages();
  frmScan.SetVisible(true);
}

void FrmMain::cmdSettings_Click() {
  HideAllPages();
  frmOptions.SetVisible(true);
}

void FrmMain::TabStrip1_Click() {
  for (int tab = 1; tab <= TabStrip1.TabCount(); ++tab) {
    if (frmView.Contains(tab - 1)) frmView(tab - 1).SetVisible(tab == TabStrip1.SelectedTab());
  }
}

void FrmMain::cmdResults_Click() {
  HideAllPages();
  frmResults.SetVisible(true);
  if (lvwPicRemoveListOfSpywareFoundAndToBeRemoved.Count() == 0 && chkSendData.Checked()) {
    app_.SubmitRunningPrograms();
  }
}

void FrmMain::cmdWebsite_Click() {
  app_.brand.websiteTarget = "Website";
  app_.windows.frmWebsite().Load();
}

void FrmMain::cmdLog_Click() { lblViewLogFile_Click(); }

void FrmMain::lblViewLogFile_Click() {
  lblViewLogFile.SetEnabled(false);
  report::frmReport& viewer = app_.windows.frmReport();
  viewer.Load();
  viewer.Show(true);
  lblViewLogFile.SetEnabled(true);
}

void FrmMain::Command2_Click() {
  if (!CD1.ShowOpen()) return;
  txtFilename.SetText(common::GetFileName(CD1.fileName));
}

void FrmMain::mnuFile_Click(int index) {
  switch (index) {
    case 0:
      // Not while a removal or an exclusion holds the scan command.
      if (cmdScan.Enabled()) cmdScan.Click();
      break;
    case 2: cmdLog.Click(); break;
    case 4: cmdUpdate.Click(); break;
    case 6: SendToTray(); break;
    case 8: Unload(); break;
    default: break;
  }
}

void FrmMain::mnuQuar_Click(int index) {
  if (index == 0) app_.ShowQuarantine();
  if (index == 1) ViewExclusions();
  if (index == 2) app_.ShowRestoreWindow();
}

void FrmMain::mnuLanuages_Click(int) { app_.ShowLanguageWindow(); }

void FrmMain::mnuHelp_Click(int) {
  Form8& help = app_.windows.form8();
  help.Load();
  help.Show();
  GetHost().DoEvents();
  help.Unload();
}

void FrmMain::mnuAbout_Click(int) { app_.windows.frmAbout().Show(); }

void FrmMain::mnuSettings_Click(int index) {
  cmdSettings_Click();
  TabStrip1.SelectTab(index + 1);
}

void FrmMain::ArrangeMainWindow() {
  if (!Visible() || GetWindowState() == ui::WindowState::Minimized) return;
  const int formWidth = Width();
  const int formHeight = Height();

  cmdWebsite.SetWidth(std::abs(formWidth - cmdWebsite.Left() - 200));
  Frame.SetTop(std::abs(formHeight + 1000));
  frmStatus.Move(std::abs(cmdScan.Width() + cmdScan.Left() + 120),
                 std::abs(Command5.Height() + Command5.Top() + 120), frmStatus.Width(),
                 frmStatus.Height());
  frmStatus.SetWidth(std::abs(formWidth - frmStatus.Left() - 240));
  frmStatus.SetHeight(std::abs(formHeight - frmStatus.Top() - 960));
  for (ui::Frame* page : {&frmResults, &frmOptions, &frmScan}) {
    page->Move(frmStatus.Left(), frmStatus.Top(), frmStatus.Width(), frmStatus.Height());
  }

  TabStrip1.Move(TabStrip1.Left(), TabStrip1.Top(), frmOptions.Width(), frmOptions.Height());
  for (const auto& view : frmView) {
    view->Move(60, 360, std::abs(TabStrip1.Width() - 240), std::abs(TabStrip1.Height() - 420));
  }

  const int scanWidth = frmScan.Width();
  const int scanHeight = frmScan.Height();
  cmdRemove.Move(std::abs(scanWidth - cmdRemove.Width() - 240),
                 std::abs(scanHeight - cmdRemove.Height() - 240), cmdRemove.Width(),
                 cmdRemove.Height());
  pb2.SetTop(std::abs(cmdRemove.Top() - pb2.Height() - 60));
  pb1.SetTop(std::abs(pb2.Top() - 285));
  pb1.SetWidth(std::abs(scanWidth - pb1.Left() - 240));
  pb2.SetWidth(pb1.Width());
  SkinLabel7.SetTop(pb1.Top());
  SkinLabel8.SetTop(pb2.Top());
  lblStatus(1).SetTop(cmdRemove.Top());
  lblStatus(0).SetTop(cmdRemove.Top());
  lblStatus(0).SetWidth(std::abs(scanWidth - lblStatus(0).Left() - 240));
  lvwSpywareFound.SetWidth(std::abs(scanWidth - lvwSpywareFound.Left() - 240));
  lvwSpywareFound.SetHeight(
      std::abs((scanHeight - lvwSpywareFound.Top()) - (scanHeight - pb1.Top()) - 120));

  auto& list = lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
  const int resultsHeight = frmResults.Height();
  list.SetWidth(std::abs(frmResults.Width() - 2 * list.Left()));
  list.SetHeight(std::abs(resultsHeight - list.Top() - cmdSelectAll.Height() - 240));
  cmdSelectAll.SetTop(std::abs(list.Top() + list.Height() + 120));
  cmdExclude.SetTop(cmdSelectAll.Top());
  Command4.SetTop(cmdSelectAll.Top());
  const int listRight = list.Left() + list.Width();
  pgbDeleteSpywaresFound.Move(pgbDeleteSpywaresFound.Left(), cmdSelectAll.Top(),
                              std::abs(listRight - pgbDeleteSpywaresFound.Left()),
                              pgbDeleteSpywaresFound.Height());
  lblDeletingPercentageCompleted.Move(
      lblDeletingPercentageCompleted.Left(),
      pgbDeleteSpywaresFound.Top() + pgbDeleteSpywaresFound.Height() + 5,
      std::abs(listRight - lblDeletingPercentageCompleted.Left()),
      lblDeletingPercentageCompleted.Height());
  lblDeletingCaption.Move(
      lblDeletingCaption.Left(),
      lblDeletingPercentageCompleted.Top() + lblDeletingPercentageCompleted.Height() + 100,
      std::abs(listRight - lblDeletingCaption.Left()), lblDeletingCaption.Height());

  // The user's stored column widths survive while they fit the list with at most 2000 twips to
  // spare; otherwise the columns are shared out a quarter, a half and a quarter.
  const int listWidth = list.Width();
  int sum = 0;
  for (int c = 0; c < list.ColumnCount() && c < 3; ++c) sum += list.Column(c).width;
  if (!(sum <= listWidth && listWidth <= sum + 2000) && list.ColumnCount() >= 3) {
    list.SetColumnWidth(0, listWidth / 4);
    list.SetColumnWidth(1, listWidth / 2);
    list.SetColumnWidth(2, listWidth / 4);
  }
}

}  // namespace app
