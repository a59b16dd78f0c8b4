#pragma once

#include <vector>

#include "app/options.h"
#include "removal/removal_run.h"
#include "scan/scan_run.h"
#include "ui/ui.h"

namespace app {

class App;

// The main window: four pages of equal size in one place (status, scan, results, options), a
// column of navigation buttons at the left, a row of commands at the top, the menus, and a
// container below the visible area that holds the timers and the hidden work lists.
class FrmMain : public ui::Form {
 public:
  explicit FrmMain(App& app);

  // Hides the four pages and the removal progress controls.
  void HideAllPages();
  // The layout rule, run on every resize.
  void ArrangeMainWindow();
  // Fills the status page from the definitions and the stored counters and dates.
  void RefreshStatusPage();
  // The status page's age of the definitions, and its warning when Live Update has not
  // succeeded for longer than the stored limit (frm_main_freshness.cpp).
  void ShowDefinitionsFreshness();
  // Switches the scheduler, the two shields and the idle timer off, or on as their settings say.
  void SetBackgroundTimers(bool enable);
  // Minimizes the window into the notification area.
  void SendToTray();
  // The tray icon's mouse events arrive here as mouse moves, the event code as x in pixels.
  void Form_MouseMove(const ui::MouseArgs& args);
  // Applies the stored settings to the option controls (their click handling runs).
  void LoadSettingsIntoControls();
  // Steps 2 to 6 of the shutdown: store the column widths and the window state, close every
  // other window and end the program.
  void ShutdownSequence();

  void cmdStatus_Click();
  void cmdScan_Click();
  void cmdSettings_Click();
  void cmdResults_Click();
  void cmdWebsite_Click();
  // "View Log" and "Show Report": the scan report in its window, modally.
  void cmdLog_Click();
  void lblViewLogFile_Click();
  void TabStrip1_Click();
  void mnuFile_Click(int index);
  void mnuSettings_Click(int index);
  void mnuQuar_Click(int index);
  void mnuLanuages_Click(int index);
  void mnuHelp_Click(int index);
  void mnuAbout_Click(int index);
  void Command2_Click();
  // Sends the typed name to the definition server and shows the outcome.
  void cmdSubmit_Click();
  // Live Update, and the automatic one after five idle minutes.
  void cmdUpdate_Click();
  void cmdUpdate_MouseDown(const ui::MouseArgs& args);
  void timUpdate_Timer();
  // The two shields' ticks (frm_main_shields.cpp).
  void tmrMemoryInspected_Timer();
  void CheckHomePage();

  // Scan page.
  void cmdScanNow_Click();
  // Runs a scan with the stored options, shown on the scan page.
  void RunScan();
  scan::ScanOptions ReadScanOptions();
  scan::ScanObserver ScanPageObserver();
  // Disables the commands that may not run during a scan and enables Stop and Pause, or back.
  void SetScanCommands(bool scanning);
  // One definition line handled; the page is refreshed on every 100th call only, or when forced.
  void UpdateScanProgress(const std::string& text, int stagePercent, int overallPercent,
                          bool force = false);
  // Holds the window's repainting while a group of controls changes (only while it is shown).
  void LockMainWindow(bool lock);
  void cmdStop_Click();
  void lblStop_Click();
  void cmdPause_Click();
  void lblPause_Click();
  void lblStart_Click();
  void cmdSelectAll_Click();
  // Copies a details row's tick to the work-list rows of its threat.
  void CheckTraceRows(int detailsRow);
  void FillDriveList();
  void lvwHardDrives_ItemCheck(int row);
  // Results page: the Exclude command, and the exclusion file in Notepad.
  void ExcludeSelected();
  void ViewExclusions();
  // The Delete command, and the removal it runs once confirmed.
  void Command4_Click();
  void lblRemove_Click();
  // What a removal or an exclusion holds while it lets events through: the commands that would
  // change the results under it (another Delete, Exclude, Select All, a new scan) and the
  // results lists, whose ticks say what leaves them at its end.
  std::vector<ui::Control*> ResultsHeldDuringRuns();

  // Options page.
  void chkHomePage_Click();
  void chkAutoProtect_Click();
  void HomePageOption_Click();
  void MemoryOption_Click();
  void RestoreOption_Click();
  void ScanTypeOption_Click();
  void chkRunAtStartup_Click();
  void chkSendData_MouseUp(const ui::MouseArgs& args);
  void cmdDefaultSetting_Click();

  // Schedule tab: the timer's check, Apply, the stored schedule into the controls, and the
  // controls' own handlers.
  void CheckSchedule();
  void SaveSchedule();
  void ShowSchedule();
  void CmdProceed_Click();
  void chkAutomaticScanYesOrNo_Click();
  void cmbDays_Click();

 protected:
  void Form_Load() override;
  void Form_Resize() override;
  void Form_QueryUnload(int& cancel, ui::UnloadMode mode) override;
  void Form_Unload(int& cancel) override;

 private:
  // The per-user store of this program.
  std::string Setting(const std::string& section, const std::string& key,
                      const std::string& defaultValue) const;
  void SaveSetting(const std::string& section, const std::string& key, const std::string& value);
  // The stored text of an option (its default when missing), its value as the option's type
  // reads it, and a new value written in the option's form.
  std::string Stored(const Option& option) const;
  std::optional<bool> Read(const Option& option) const;
  void Save(const Option& option, bool value);
  void Save(const Option& option, const std::string& text);
  // Wires the controls' events to the handlers.
  void ConnectHandlers();
  void ConnectScheduleHandlers();
  // The pickers as the selected "Run on:" choice wants them.
  void ApplyDayToPickers();
  // The start-up steps that run with each failure ignored.
  void StartUpRest();
  // The removal's progress bar, progress text and current item.
  void ShowRemovalProgress(bool visible);
  // How a removal shows itself on the results page.
  removal::RemovalObserver RemovalProgressObserver();
  // Lists what stayed in "Delete Failed" and unticks it and its threat, so both stay on the
  // results page for the user to deal with.
  void ShowFailures(const std::vector<removal::Failure>& failures);

  // The tab page frmView(index), made on first use so that the controls on it can be members.
  ui::Frame& View(int index);

  App& app_;
  // A Live Update is running.
  bool updating_ = false;

 public:
  // Controls, in container order. Names are the program's own: translations and settings are
  // keyed by them.
  ui::CommandButton Command5;
  ui::CommandButton cmdWebsite;
  ui::CommandButton cmdStatus;
  ui::CommandButton cmdScan;
  ui::CommandButton cmdSettings;
  ui::CommandButton cmdLog;
  ui::CommandButton cmdUpdate;
  ui::CommandButton cmdResults;
  ui::Label lblHide;

  // Status page.
  ui::Frame frmStatus;
  ui::Label Label22;
  ui::Label Label10;
  ui::Label lblLastFullScan;
  ui::Label Label11;
  ui::Label lblLastScan;
  ui::Label Label12;
  ui::Label lblDefRemoved;
  ui::Label Label13;
  ui::Label lblDefCount;
  ui::Label Label14;
  ui::Label lblDefVersion;
  ui::Label Label15;
  ui::Label lblVersion;
  ui::Label lblDefAgeCaption;
  ui::Label lblDefAge;
  ui::Label lblUpdateOverdue;

  // Scan page.
  ui::Frame frmScan;
  ui::CommandButton cmdScanNow;
  ui::CommandButton cmdPause;
  ui::CommandButton cmdStop;
  ui::Label lblStart;
  ui::Label lblPause;
  ui::Label lblStop;
  ui::Label Label3;
  ui::Label lblMemoryInspected;
  ui::Label Label4;
  ui::Label lblRegistryInspected;
  ui::Label Label5;
  ui::Label lblFilesFolderInspected;
  ui::Label Label6;
  ui::Label lblSoftwareFound;
  ui::Label Label7;
  ui::Label lblTotalNoOfRunningItems;
  ui::Label lblPercentageCompleted;
  ui::Shape shpCircle;
  ui::ProgressBar pbgMain;
  ui::ListView lvwSpywareFound;
  ui::Label SkinLabel7;
  ui::ProgressBar pb1;
  ui::Label SkinLabel8;
  ui::ProgressBar pb2;
  ui::ControlArray<ui::Label> lblStatus{"lblStatus"};
  ui::CommandButton cmdRemove;
  ui::Label lblViewLogFile;

  // Results page.
  ui::Frame frmResults;
  ui::Label Label8;
  ui::Label lblRemovePicSoftwareFound;
  ui::Label Label9;
  ui::Label lbltracesFound;
  ui::ListView lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
  ui::CommandButton cmdSelectAll;
  ui::CommandButton cmdExclude;
  ui::CommandButton Command4;
  ui::ProgressBar pgbDeleteSpywaresFound;
  ui::Label lblDeletingPercentageCompleted;
  ui::Label lblDeletingCaption;

  // Options page: a tab strip with one panel per tab.
  ui::Frame frmOptions;
  ui::TabStrip TabStrip1;
  ui::ControlArray<ui::Frame> frmView{"frmView"};
  // "Scan Options".
  ui::Frame Frame2;
  ui::OptionButton optScanAllSelectedHardDrive;
  ui::OptionButton optScanOnlyKnownSoftwares;
  ui::Frame Frame3;
  ui::ListView lvwHardDrives;
  ui::CheckBox chkSweepMemory;
  ui::CheckBox chkScanRegistry;
  ui::CheckBox chkScanCookies;
  ui::CheckBox chkMakeLog;
  ui::CheckBox chkSendData;
  // "Proactive Protection".
  ui::Frame Frame4;
  ui::CheckBox chkHomePage;
  ui::Frame Frame5;
  ui::CheckBox chkAutoProtect;
  ui::Frame Frame6;
  ui::CheckBox chkRunAtStartup;
  ui::Label Label16;
  ui::OptionButton optIEHomePageSheildOn;
  ui::OptionButton optIEHomePageSheildOff;
  ui::OptionButton optAlwaysnotifybeforerestoring;
  ui::OptionButton optRestoredefaultwithoutnotification;
  ui::OptionButton optMemorySheildOn;
  ui::OptionButton optMemorySheildOff;
  // "Schedule".
  ui::CheckBox chkAutomaticScanYesOrNo;
  ui::Label Label17;
  ui::ComboBox cmbDays;
  ui::Label Label18;
  ui::DatePicker dtpScheduleDate;
  ui::Label Label19;
  ui::DatePicker dtpScheduleTime;
  ui::CheckBox chkAutoDel;
  ui::CommandButton cmdDefaultSetting;
  ui::CommandButton CmdProceed;
  // "Auto Update".
  ui::CheckBox chkAutomaticUpdate;
  ui::CommandButton cmdLiveUpdate;
  ui::Label lblLastUpdate;
  ui::Label Label20;
  ui::TextBox txtFilename;
  ui::CommandButton Command2;
  ui::CommandButton cmdSubmit;
  // The outcome of a submission.
  ui::Label Label26;
  ui::FileDialog CD1;

  // Below the visible area: timers and the hidden work lists.
  ui::Frame Frame;
  ui::Timer tmrScroll;
  ui::Timer tmrScheduler;
  ui::Timer tmrCheckHomePage;
  ui::Timer tmrMemoryInspected;
  ui::Timer timUpdate;
  ui::Timer tmrTimeOut;
  ui::ListView lvwFilesToBeDeleted;
  ui::ListView lvwFileNotFounds;
  ui::ListView lvwBlockedCookies;
  ui::ListView lvwCookiesToDelete;
  ui::ListView lvwRegistryToBeDeleted;

  // Menus.
  ui::Menu mnuFile;
  ui::Menu mnuSettings;
  ui::Menu mnuQuar;
  ui::Menu mnuLanuages;
  ui::Menu mnuHelp;
  ui::Menu mnuAbout;
};

}  // namespace app
