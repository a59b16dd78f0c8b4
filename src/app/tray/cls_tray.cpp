#include "app/tray/cls_tray.h"

#include <algorithm>

namespace app {

std::array<char, 64> TipField(const std::string& text) {
  std::array<char, 64> field;
  field.fill(' ');
  const std::size_t length = std::min(text.size(), field.size());
  std::copy_n(text.begin(), length, field.begin());
  if (length < field.size()) field[length] = '\0';
  return field;
}

std::string ShownTip(const std::array<char, 64>& field) {
  const auto end = std::find(field.begin(), field.end() - 1, '\0');
  return std::string(field.begin(), end);
}

void clsTray::Notify(std::uint32_t message) {
  platform::NotifyIcon icon;
  icon.window = record_.window;
  icon.id = record_.id;
  icon.flags = record_.flags;
  icon.callbackMessage = record_.callbackMessage;
  icon.iconResource = record_.icon;
  icon.tip = ShownTip(record_.tip);
  // A refused add (the icon is there already), change or removal changes nothing here.
  tray_.NotifyIcon(message, icon);
}

void clsTray::ShowIcon(ui::Form& sysTrayForm) {
  record_.window = host_.WindowHandle(sysTrayForm);
  record_.id = kIconId;
  record_.flags = kFlags;
  record_.callbackMessage = kCallbackMessage;
  record_.icon = sysTrayForm.Icon();
  record_.tip = TipField(sysTrayForm.Caption());
  Notify(platform::kNimAdd);
  bRunningInTray = true;
}

void clsTray::RemoveIcon(ui::Form& sysTrayForm) {
  record_.window = host_.WindowHandle(sysTrayForm);
  record_.id = kIconId;
  record_.flags = kFlags;
  record_.callbackMessage = 1;
  record_.icon = sysTrayForm.Icon();
  record_.tip = TipField("");
  Notify(platform::kNimDelete);
  bRunningInTray = false;
}

void clsTray::ChangeToolTip(ui::Form& sysTrayForm, const std::string& strNewTip) {
  if (!bRunningInTray) return;
  record_.window = host_.WindowHandle(sysTrayForm);
  record_.tip = TipField(strNewTip);
  Notify(platform::kNimModify);
}

void clsTray::RestoreIcon() {
  if (!bRunningInTray) return;
  Notify(platform::kNimAdd);
}

}  // namespace app
