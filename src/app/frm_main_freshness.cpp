// The status page's word on how current the definitions are.
#include <charconv>

#include "app/app.h"
#include "app/definitions_freshness.h"
#include "app/frm_main.h"
#include "app/options.h"
#include "common/text.h"
#include "localization/message_keys.h"
#include "scheduler/schedule.h"
#include "update/live_update.h"

namespace app {

void FrmMain::ShowDefinitionsFreshness() {
  platform::Clock& clock = app_.machine.clock;
  const std::string limitText = Stored(option::kUpdateWarningDays);
  int limit = 0;
  const auto [end, error] =
      std::from_chars(limitText.data(), limitText.data() + limitText.size(), limit);
  // A limit that is no number warns as the default does rather than never.
  if (error != std::errc() || end != limitText.data() + limitText.size()) {
    limit = std::stoi(option::kUpdateWarningDays.defaultText);
  }
  const Freshness freshness = DefinitionsFreshness(
      clock.ParseDate(update::CleanDateText(app_.ReadDefinitionsDate())),
      scheduler::ReadDate(Stored(option::kLastLiveUpdate), clock), clock.Now(), limit);
  lblDefAge.SetCaption(freshness.ageDays ? clock.FormatWholeNumber(*freshness.ageDays) : "");
  lblUpdateOverdue.SetCaption(
      freshness.overdue ? common::ReplaceAll(app_.Message(localization::msg::kUpdateOverdue),
                                             "[Days]", std::to_string(limit))
                        : "");
  lblUpdateOverdue.SetVisible(freshness.overdue);
}

}  // namespace app
