// The schedule tab: the scheduler's tick, Apply, the stored schedule shown in the controls, and
// what each control of the tab does. When a scan is due lives in scheduler/schedule.h.
#include <cmath>

#include "app/app.h"
#include "app/frm_main.h"
#include "localization/message_keys.h"
#include "scheduler/schedule.h"

namespace app {

void FrmMain::ConnectScheduleHandlers() {
  dtpScheduleDate.customFormat = "dd/MM/yyyy";
  // "HH", the 24-hour clock: the picker's "hh" is the 12-hour clock, and with no AM/PM field
  // in the format a user could not tell 2:30 in the afternoon from 2:30 at night, nor set it.
  dtpScheduleTime.customFormat = "HH:mm:ss";
  // A new picker holds the moment it was made, as the control does, until a stored schedule is
  // shown in it.
  const double now = app_.machine.clock.Now();
  dtpScheduleDate.SetValue(std::trunc(now));
  dtpScheduleTime.SetValue(now);
  tmrScheduler.OnTick = [this] { CheckSchedule(); };
  CmdProceed.OnClick = [this] { CmdProceed_Click(); };
  chkAutomaticScanYesOrNo.OnClick = [this] { chkAutomaticScanYesOrNo_Click(); };
  cmbDays.OnClick = [this] { cmbDays_Click(); };
  // Any change of a picker is something to apply; the time picker's click is one, too.
  dtpScheduleDate.OnChange = [this] { CmdProceed.SetEnabled(true); };
  dtpScheduleTime.OnChange = [this] { CmdProceed.SetEnabled(true); };
  dtpScheduleTime.OnClick = [this] { CmdProceed.SetEnabled(true); };
}

void FrmMain::CheckSchedule() {
  // A scan, removal or Live Update in progress switched the timer off; should anything switch
  // it on meanwhile, the due second passes unused rather than starting a scan inside another.
  if (cmdScan.Enabled() && !updating_) {
    platform::Clock& clock = app_.machine.clock;
    const scheduler::Schedule schedule =
        scheduler::ReadSchedule(Stored(option::kScheduleDay), Stored(option::kScheduleTime),
                                Stored(option::kScheduleDate), clock);
    if (app_.state.scheduledScans.StartDue(schedule, clock.Now())) {
      app_.state.autoDeleteInProgress = chkAutoDel.Value() == ui::kChecked;
      lblStart_Click();
    }
  }
  app_.state.autoDeleteInProgress = false;
}

void FrmMain::CmdProceed_Click() {
  SaveSchedule();
  CmdProceed.SetEnabled(false);
  ShowSchedule();
}

void FrmMain::SaveSchedule() {
  if (cmbDays.ListIndex() == scheduler::kDateAndTime &&
      (dtpScheduleDate.IsNull() || dtpScheduleTime.IsNull())) {
    app_.Tell(app_.Message(localization::msg::kDate));
    return;
  }
  SaveSetting(kOptions, option::kAutomaticScan.key,
              std::to_string(chkAutomaticScanYesOrNo.Value()));
  if (ReadNumber(Stored(option::kAutomaticScan)) != 1L) {
    tmrScheduler.SetEnabled(false);
    return;
  }
  Save(option::kScheduleDay, std::to_string(cmbDays.ListIndex()));
  Save(option::kScheduleTime, scheduler::TimeText(dtpScheduleTime.Value()));
  Save(option::kScheduleDate, scheduler::DateText(dtpScheduleDate.Value()));
  tmrScheduler.SetEnabled(true);
}

void FrmMain::ShowSchedule() {
  if (auto autoDelete = ReadNumber(Stored(option::kAutoDelete))) {
    chkAutoDel.SetValue(static_cast<int>(*autoDelete));
  }
  // The one read with another default: a schedule never applied shows Daily and nothing else.
  const std::string day = Setting(kOptions, option::kScheduleDay.key, "None");
  if (day == "None") {
    cmbDays.SetListIndex(scheduler::kDaily);
    return;
  }
  platform::Clock& clock = app_.machine.clock;
  const double now = clock.Now();
  // A picker without a stored value shows today, unticked.
  if (auto date = scheduler::DatePickerValue(Stored(option::kScheduleDate), clock)) {
    dtpScheduleDate.SetValue(*date);
  } else {
    dtpScheduleDate.SetValue(std::trunc(now));
    dtpScheduleDate.SetValue(std::nullopt);
  }
  if (auto time = scheduler::TimePickerValue(Stored(option::kScheduleTime), now, clock)) {
    dtpScheduleTime.SetValue(*time);
  } else {
    dtpScheduleTime.SetValue(now);
    dtpScheduleTime.SetValue(std::nullopt);
  }
  if (auto index = scheduler::ReadDay(day)) cmbDays.SetListIndex(*index);
  // The box shows what is stored. (Ticking it whenever a day is stored would switch the
  // scheduler on after scheduled scans were switched off and applied, and it would go on
  // starting them.)
  if (auto scheduled = ReadNumber(Stored(option::kAutomaticScan))) {
    chkAutomaticScanYesOrNo.SetValue(*scheduled != 0 ? ui::kChecked : ui::kUnchecked);
  }
}

void FrmMain::chkAutomaticScanYesOrNo_Click() {
  const bool on = chkAutomaticScanYesOrNo.Checked();
  tmrScheduler.SetEnabled(on);
  cmbDays.SetEnabled(on);
  if (on) {
    ApplyDayToPickers();
  } else {
    dtpScheduleDate.SetEnabled(false);
    dtpScheduleTime.SetEnabled(false);
  }
  CmdProceed.SetEnabled(true);
}

void FrmMain::cmbDays_Click() {
  ApplyDayToPickers();
  CmdProceed.SetEnabled(true);
}

void FrmMain::ApplyDayToPickers() {
  const int index = cmbDays.ListIndex();
  if (index == scheduler::kDateAndTime) {
    dtpScheduleDate.SetEnabled(true);
    dtpScheduleTime.SetEnabled(true);
  } else if (index == scheduler::kNever) {
    dtpScheduleDate.SetValue(std::nullopt);
    dtpScheduleTime.SetValue(std::nullopt);
    dtpScheduleDate.SetEnabled(false);
    dtpScheduleTime.SetEnabled(false);
  } else if (index >= 0 && index <= scheduler::kDaily) {
    dtpScheduleDate.SetValue(std::nullopt);
    dtpScheduleDate.SetEnabled(false);
    dtpScheduleTime.SetEnabled(true);
  }
}

}  // namespace app
