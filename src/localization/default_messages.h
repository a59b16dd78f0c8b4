#pragma once

namespace localization {

class clsLanguages;

struct DefaultMessage {
  const char* key;
  const char* text;
};

// The built-in English messages, in the order they are put into the catalogue. The "not
// selected" text lives under the key MSG_NOTSELECED, as it always has. The home-page refusal,
// then the Languages window's title and download confirmation, Live Update's refusal and
// overdue warning, then the Restore window's texts, come last.
extern const DefaultMessage kDefaultMessages[86];

// Puts the default messages into the catalogue with setMessage, in table order. Start-up runs
// it once, after making the catalogue and before the first translation.
void LoadDefaultMessages(clsLanguages& languages);

}  // namespace localization
